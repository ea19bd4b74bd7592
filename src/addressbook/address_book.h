// The host's address book on disk: books are "@name" folders below
// "{data folder}AddrBook"; a book's groups are plain folders below its book
// folder, to any depth; "Group.ini" marks a book or group as present.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/profile.h"
#include "text/characters.h"

namespace tandrel {

constexpr const char* kGroupMarkerName = "Group.ini";
constexpr const char* kGroupIndexName = "Group.idx";
constexpr const char* kBookPointerName = "Address.ini";

// "{data folder}AddrBook", without a trailing backslash.
std::string AddressBookRoot(const std::string& data_folder);

// The folder a book is listed as: "{root}\\@{book}\\". The tree and the
// check look for a book's marker here, wherever its "Path" leads.
std::string ListedBookFolder(const std::string& data_folder, std::string_view book);

// Where a book's groups live: the "Path" of its "Address.ini" when set (a
// missing final backslash is added), else "{root}\@{book}\". The "Path" is
// the host's own setting and is followed wherever it points.
std::string ResolveBookFolder(Profile& profile, const std::string& data_folder,
                              const std::string& book, LeadBytePredicate is_lead_byte);

// "Book:Group\Sub": the book name, a colon, the group path.
struct GroupIdentifier {
    std::string book;
    std::string group_path;  // empty for the book itself
};

// Splits at the first colon; without a colon the whole text is the book.
GroupIdentifier SplitGroupIdentifier(std::string_view text, LeadBytePredicate is_lead_byte);
std::string JoinGroupIdentifier(const GroupIdentifier& group);

// The identifier of the group `name` directly below `parent`.
GroupIdentifier ChildGroup(const GroupIdentifier& parent, std::string_view name);

// The folder of the group at `group_path` below `book_folder` (which ends
// with "\"), ending with "\": the book's folder itself for an empty path.
std::string GroupFolder(const std::string& book_folder, std::string_view group_path);

// Whether the book or group whose folder is `folder` (ending with "\") is
// present: its "Group.ini" is there as a file. The marker's content is never
// read, and it is looked up rather than opened, so that a level of hundreds
// of groups lists quickly. Every listing and check decides it here.
bool IsGroupPresent(Files& files, const std::string& folder);

// Whether every name of a group path is a plain folder name, so that the
// path cannot leave its book folder. An empty path is not a group.
bool IsPlainGroupPath(std::string_view group_path, LeadBytePredicate is_lead_byte);

// Whether "@{book}" is one plain folder name, so that the book's folder
// stays in the address book root.
bool IsPlainBookName(std::string_view book, LeadBytePredicate is_lead_byte);

// Whether a group identifier names a group whose folder cannot leave the
// address book: a plain book name and a plain, non-empty group path.
bool IsPlainGroup(const GroupIdentifier& group, LeadBytePredicate is_lead_byte);

// Whether `name` is one of the files a book or group keeps for itself
// ("Group.idx", "Group.ini", "Folder.ini", "Address.ini", in any case) or the
// index's lock file.
bool IsGroupsOwnFileName(std::string_view name);

// Whether a card file name read from a group index may be appended to: one
// plain file name that is none of the group's own files.
bool IsCardFileName(std::string_view name, LeadBytePredicate is_lead_byte);

// Whether the group's folder, or a folder of a group above it, is a link:
// such a group is shown where it stands but not listed further, and it is
// not written to.
bool GroupPathHoldsALink(Files& files, const std::string& book_folder, std::string_view group_path,
                         LeadBytePredicate is_lead_byte);

}  // namespace tandrel
