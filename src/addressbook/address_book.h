// The host's address book on disk: books are "@name" folders below
// "{data folder}AddrBook"; a book's groups are plain folders below its book
// folder, to any depth; "Group.ini" marks a book or group as present.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel {

constexpr const char* kGroupMarkerName = "Group.ini";
constexpr const char* kGroupIndexName = "Group.idx";

// "{data folder}AddrBook", without a trailing backslash.
std::string AddressBookRoot(const std::string& data_folder);

// Where a book's groups live: the "Path" of its "Address.ini" when set (a
// missing final backslash is added), else "{root}\@{book}\".
std::string ResolveBookFolder(Profile& profile, const std::string& data_folder,
                              const std::string& book);

// "Book:Group\Sub": the book name, a colon, the group path.
struct GroupIdentifier {
    std::string book;
    std::string group_path;  // empty for the book itself
};

// Splits at the first colon; without a colon the whole text is the book.
GroupIdentifier SplitGroupIdentifier(std::string_view text);
std::string JoinGroupIdentifier(const GroupIdentifier& group);

// Whether every name of a group path is a plain folder name, so that the
// path cannot leave its book folder. An empty path is not a group.
bool IsPlainGroupPath(std::string_view group_path);

// The folder of a group: the book folder followed by the group path.
std::string GroupFolder(Profile& profile, const std::string& data_folder,
                        const GroupIdentifier& group);

// The first book in listing order whose resolved folder holds "Group.ini",
// and its first group (one level) holding one: "Book:Group", "Book:" or ":".
std::string FindDefaultGroup(Files& files, Profile& profile, const std::string& data_folder);

}  // namespace tandrel
