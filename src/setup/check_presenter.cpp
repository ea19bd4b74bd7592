#include "setup/check_presenter.h"

#include <functional>

#include "addressbook/address_book.h"
#include "addressbook/book_check.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_check.h"
#include "rules/rule_file.h"
#include "setup/host_folder_naming.h"
#include "text/finding.h"
#include "text/format_text.h"

namespace tandrel {

std::vector<std::string> CheckFindings(CheckContext& context) {
    const std::string data_folder = context.host.DataFolder();
    const std::string mailbox = context.host.CurrentMailbox();
    const RuleTargetFolders targets{context.files, data_folder};
    const auto load = [&context](int id) { return context.strings.Load(id); };
    const FolderNaming naming = FoldersAsTheHostShowsThem(context.host, context.strings);
    // Every finding is counted, the first few shown.
    std::vector<std::string> findings;
    std::size_t found = 0;
    const auto show = [&](const std::function<std::string()>& describe) {
        if (++found <= kShownFindings) {
            findings.push_back(describe());
        }
    };
    for (const bool receiving : {true, false}) {
        const std::string name = receiving ? kReceivingRuleFileName : kSendingRuleFileName;
        std::string text;
        const ReadStatus read =
            context.files.ReadFile(RuleFilePath(data_folder, mailbox, receiving), text);
        if (read == ReadStatus::Failed) {
            show([&] { return FormatText(load(IDS_CHECK_UNREADABLE), {name}); });
        } else if (read == ReadStatus::Ok) {
            CheckRuleText(text, &targets, context.lead_bytes, [&](const Finding& finding) {
                show([&] {
                    return FormatText(load(IDS_CHECK_IN_FILE),
                                      {name, DescribeFindings({finding}, 0, load, naming)});
                });
            });
        }
    }
    // A data folder without an address book is nothing to report.
    if (context.files.Facts(AddressBookRoot(data_folder))) {
        CheckAddressBook(context.files, context.profile, data_folder, context.lead_bytes,
                         [&](const BookFinding& finding) {
                             show([&] { return DescribeFinding(finding, load); });
                         });
    }
    if (found > kShownFindings) {
        findings.push_back(
            FormatText(load(IDS_CHECK_MORE), {std::to_string(found - kShownFindings)}));
    }
    if (findings.empty()) {
        findings.push_back(load(IDS_CHECK_NOTHING));
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
