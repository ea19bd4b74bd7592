#include "addressbook/default_group.h"

#include "addressbook/address_book.h"
#include "addressbook/group_listing.h"

namespace tandrel {

std::string FindDefaultGroup(Files& files, Profile& profile, const std::string& data_folder,
                             LeadBytePredicate is_lead_byte) {
    GroupIdentifier found;
    for (const std::string& entry : ListedBookFolders(files, AddressBookRoot(data_folder))) {
        const std::string book = entry.substr(1);
        const std::string book_folder = ResolveBookFolder(profile, data_folder, book, is_lead_byte);
        if (!IsGroupPresent(files, book_folder)) {
            continue;
        }
        found.book = book;
        for (const std::string& group : ListedFolders(files, book_folder + "*")) {
            if (IsGroupPresent(files, GroupFolder(book_folder, group))) {
                found.group_path = group;
                break;
            }
        }
        break;
    }
    return JoinGroupIdentifier(found);
}

}  // namespace tandrel
