#include "testhost/scenario/book_check_after_run.h"

#include <sstream>
#include <stdexcept>

#include "addressbook/address_book.h"
#include "addressbook/book_check.h"
#include "support/builtin_strings.h"
#include "testhost/scenario/expectations.h"

namespace tandrel::testhost {

void CheckBookAfterRun(Files& files, Profile& profile, const std::string& data_folder,
                       LeadBytePredicate is_lead_byte, const std::filesystem::path& scenario) {
    if (!files.Facts(AddressBookRoot(data_folder))) {
        return;
    }
    BuiltinStrings strings;
    const auto load = [&strings](int id) { return strings.Load(id); };
    std::string found;
    for (const BookFinding& finding : CheckAddressBook(files, profile, data_folder, is_lead_byte)) {
        found += "\n  " + DescribeFinding(finding, load);
    }
    std::string expected;
    std::istringstream planted(ReadWholeFile(scenario / "expect.book"));
    for (std::string line; std::getline(planted, line);) {
        expected += "\n  " + line;
    }
    if (found != expected) {
        throw std::runtime_error(
            "the address book check finds:" + (found.empty() ? " nothing" : found) +
            (expected.empty() ? "" : "\nexpect.book wants:" + expected));
    }
}

}  // namespace tandrel::testhost
