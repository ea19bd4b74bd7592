#include "book_check_around.h"

#include <algorithm>
#include <stdexcept>

#include "addressbook/book_check.h"
#include "platform/ini_file_profile.h"

namespace tandrel::testhost {

BookCheckAround::BookCheckAround(Files& files, std::string data_folder,
                                 LeadBytePredicate is_lead_byte)
    : files_(files), data_folder_(std::move(data_folder)), is_lead_byte_(is_lead_byte) {
    before_ = Findings();
}

std::vector<std::string> BookCheckAround::Findings() const {
    IniFileProfile profile(files_);
    std::vector<std::string> texts;
    for (const BookFinding& finding :
         CheckAddressBook(files_, profile, data_folder_, is_lead_byte_)) {
        texts.push_back(DescribeFinding(finding));
    }
    return texts;
}

void BookCheckAround::CheckAfterRun() const {
    std::string added;
    for (const std::string& finding : Findings()) {
        if (std::find(before_.begin(), before_.end(), finding) == before_.end()) {
            added += "\n  " + finding;
        }
    }
    if (!added.empty()) {
        throw std::runtime_error("the address book check finds what the run left:" + added);
    }
}

}  // namespace tandrel::testhost
