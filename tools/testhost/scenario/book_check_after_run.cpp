#include "testhost/scenario/book_check_after_run.h"

#include <stdexcept>

#include "addressbook/address_book.h"
#include "addressbook/book_check.h"

namespace tandrel::testhost {

void CheckBookAfterRun(Files& files, Profile& profile, const std::string& data_folder,
                       LeadBytePredicate is_lead_byte) {
    if (!files.Facts(AddressBookRoot(data_folder))) {
        return;
    }
    std::string found;
    for (const BookFinding& finding : CheckAddressBook(files, profile, data_folder, is_lead_byte)) {
        found += "\n  " + DescribeFinding(finding);
    }
    if (!found.empty()) {
        throw std::runtime_error("the address book check finds:" + found);
    }
}

}  // namespace tandrel::testhost
