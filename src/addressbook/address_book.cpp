#include "addressbook/address_book.h"

#include <vector>

#include "addressbook/group_listing.h"
#include "platform/file_names.h"

namespace tandrel {

std::string AddressBookRoot(const std::string& data_folder) {
    return data_folder + "AddrBook";
}

std::string ResolveBookFolder(Profile& profile, const std::string& data_folder,
                              const std::string& book) {
    std::string book_dir = AddressBookRoot(data_folder) + "\\@" + book + "\\";
    std::string path = profile.ReadString(book_dir + "Address.ini", "Settings", "Path",
                                          std::string(), kWholeValue);
    if (path.empty()) {
        return book_dir;
    }
    if (path.back() != '\\' && path.back() != '/') {
        path += '\\';
    }
    return path;
}

GroupIdentifier SplitGroupIdentifier(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return {std::string(text), std::string()};
    }
    return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

std::string JoinGroupIdentifier(const GroupIdentifier& group) {
    return group.book + ":" + group.group_path;
}

bool IsPlainGroupPath(std::string_view group_path) {
    if (group_path.empty()) {
        return false;
    }
    std::size_t start = 0;
    for (;;) {
        const auto slash = group_path.find('\\', start);
        if (!IsPlainFileName(group_path.substr(
                start, slash == std::string_view::npos ? std::string_view::npos : slash - start))) {
            return false;
        }
        if (slash == std::string_view::npos) {
            return true;
        }
        start = slash + 1;
    }
}

std::string GroupFolder(Profile& profile, const std::string& data_folder,
                        const GroupIdentifier& group) {
    return ResolveBookFolder(profile, data_folder, group.book) + group.group_path;
}

std::string FindDefaultGroup(Files& files, Profile& profile, const std::string& data_folder) {
    GroupIdentifier found;
    for (const std::string& entry : ListedFolders(files, AddressBookRoot(data_folder) + "\\@*")) {
        const std::string book = entry.substr(1);
        const std::string book_folder = ResolveBookFolder(profile, data_folder, book);
        if (!files.CanOpenForReading(book_folder + kGroupMarkerName)) {
            continue;
        }
        found.book = book;
        for (const std::string& group : ListedFolders(files, book_folder + "*")) {
            if (files.CanOpenForReading(book_folder + group + "\\" + kGroupMarkerName)) {
                found.group_path = group;
                break;
            }
        }
        break;
    }
    return JoinGroupIdentifier(found);
}

}  // namespace tandrel
