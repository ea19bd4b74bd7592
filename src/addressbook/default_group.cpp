#include "addressbook/default_group.h"

#include <vector>

#include "addressbook/address_book.h"
#include "addressbook/group_listing.h"

namespace tandrel {

std::string FindDefaultGroup(Files& files, Profile& profile, const std::string& data_folder,
                             LeadBytePredicate is_lead_byte) {
    GroupIdentifier found;
    for (const std::string& entry : ListedBookFolders(files, AddressBookRoot(data_folder))) {
        const std::string book = entry.substr(1);
        if (!IsPlainBookName(book, is_lead_byte)) {
            continue;
        }
        const std::string book_folder = ResolveBookFolder(profile, data_folder, book, is_lead_byte);
        if (!IsGroupPresent(files, book_folder)) {
            continue;
        }
        found.book = book;
        std::vector<FolderEntry> groups;
        files.ListFolder(book_folder + "*", groups);
        for (const FolderEntry& group : groups) {
            // A group reached through a link is not written to, so it is
            // not proposed.
            if (!group.is_link && IsGroupFolderEntry(group, is_lead_byte) &&
                IsGroupPresent(files, GroupFolder(book_folder, group.name))) {
                found.group_path = group.name;
                break;
            }
        }
        break;
    }
    return JoinGroupIdentifier(found);
}

}  // namespace tandrel
