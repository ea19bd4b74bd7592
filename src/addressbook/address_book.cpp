#include "addressbook/address_book.h"

#include <algorithm>
#include <array>
#include <vector>

#include "mailbox/folders.h"
#include "text/affixes.h"
#include "text/file_names.h"

namespace tandrel {

std::string AddressBookRoot(const std::string& data_folder) {
    return data_folder + "AddrBook";
}

std::string ListedBookFolder(const std::string& data_folder, std::string_view book) {
    return AddressBookRoot(data_folder) + "\\@" + std::string(book) + "\\";
}

std::string ResolveBookFolder(Profile& profile, const std::string& data_folder,
                              const std::string& book, LeadBytePredicate is_lead_byte) {
    std::string book_dir = ListedBookFolder(data_folder, book);
    std::string path = profile.ReadString(book_dir + kBookPointerName, "Settings", "Path",
                                          std::string(), kWholeValue);
    if (path.empty()) {
        return book_dir;
    }
    if (!EndsWithCharacter(path, '\\', is_lead_byte) &&
        !EndsWithCharacter(path, '/', is_lead_byte)) {
        path += '\\';
    }
    return path;
}

GroupIdentifier SplitGroupIdentifier(std::string_view text, LeadBytePredicate is_lead_byte) {
    const auto colon = FindCharacter(text, ':', is_lead_byte);
    if (colon == std::string_view::npos) {
        return {std::string(text), std::string()};
    }
    return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

std::string JoinGroupIdentifier(const GroupIdentifier& group) {
    return group.book + ":" + group.group_path;
}

GroupIdentifier ChildGroup(const GroupIdentifier& parent, std::string_view name) {
    return {parent.book, parent.group_path.empty() ? std::string(name)
                                                   : parent.group_path + "\\" + std::string(name)};
}

std::string GroupFolder(const std::string& book_folder, std::string_view group_path) {
    return group_path.empty() ? book_folder : book_folder + std::string(group_path) + "\\";
}

bool IsGroupPresent(Files& files, const std::string& folder) {
    const auto marker = files.Facts(folder + kGroupMarkerName);
    return marker && !marker->is_directory;
}

bool IsPlainGroupPath(std::string_view group_path, LeadBytePredicate is_lead_byte) {
    return !group_path.empty() && IsPlainPath(group_path, is_lead_byte);
}

bool IsPlainBookName(std::string_view book, LeadBytePredicate is_lead_byte) {
    return IsPlainFileName("@" + std::string(book), is_lead_byte);
}

bool IsPlainGroup(const GroupIdentifier& group, LeadBytePredicate is_lead_byte) {
    return IsPlainBookName(group.book, is_lead_byte) &&
           IsPlainGroupPath(group.group_path, is_lead_byte);
}

bool IsGroupsOwnFileName(std::string_view name) {
    const std::array<std::string, 5> kept = {kGroupIndexName, kGroupMarkerName, kFolderSettingsName,
                                             kBookPointerName, LockPath(kGroupIndexName)};
    return std::any_of(kept.begin(), kept.end(),
                       [name](const std::string& own) { return EqualIgnoringCase(name, own); });
}

bool IsCardFileName(std::string_view name, LeadBytePredicate is_lead_byte) {
    return IsPlainFileName(name, is_lead_byte) && !IsGroupsOwnFileName(name);
}

bool GroupPathHoldsALink(Files& files, const std::string& book_folder, std::string_view group_path,
                         LeadBytePredicate is_lead_byte) {
    if (group_path.empty()) {
        return false;
    }
    std::string folder = book_folder;
    for (const std::string_view name : SplitAtCharacter(group_path, '\\', is_lead_byte)) {
        folder += name;
        if (files.IsLink(folder)) {
            return true;
        }
        folder += '\\';
    }
    return false;
}

}  // namespace tandrel
