#include "setup/check_presenter.h"

#include "addressbook/address_book.h"
#include "addressbook/book_check.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_check.h"
#include "rules/rule_file.h"
#include "text/format_text.h"

namespace tandrel {

std::vector<std::string> CheckFindings(CheckContext& context) {
    const std::string data_folder = context.host.DataFolder();
    const std::string mailbox = context.host.CurrentMailbox();
    const RuleTargetFolders targets{context.files, data_folder};
    std::vector<std::string> findings;
    for (const bool receiving : {true, false}) {
        const std::string name = receiving ? kReceivingRuleFileName : kSendingRuleFileName;
        std::string text;
        const ReadStatus read =
            context.files.ReadFile(RuleFilePath(data_folder, mailbox, receiving), text);
        if (read == ReadStatus::Failed) {
            findings.push_back(FormatText(context.strings.Load(IDS_CHECK_UNREADABLE), {name}));
        } else if (read == ReadStatus::Ok) {
            for (const std::string& finding : CheckRuleText(text, &targets)) {
                findings.push_back(name + ": " + finding);
            }
        }
    }
    // A data folder without an address book is nothing to report.
    if (context.files.Facts(AddressBookRoot(data_folder))) {
        for (const BookFinding& finding :
             CheckAddressBook(context.files, context.profile, data_folder, context.lead_bytes)) {
            findings.push_back(DescribeFinding(finding));
        }
    }
    if (findings.empty()) {
        findings.push_back(context.strings.Load(IDS_CHECK_NOTHING));
    }
    return findings;
}

void CheckPresenter::Init() {
    dialog_.AddItems(IDC_CHECK_FINDINGS, CheckFindings(context_));
}

bool CheckPresenter::OnCommand(int id, int /*notification*/) {
    if (id == kIdCancel) {
        dialog_.End(kIdCancel);
        return true;
    }
    return false;
}

}  // namespace tandrel
