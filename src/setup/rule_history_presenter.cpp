#include "setup/rule_history_presenter.h"

#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_file.h"
#include "rules/rule_history_list.h"
#include "rules/rule_insert.h"
#include "setup/host_folder_naming.h"
#include "text/finding.h"
#include "text/format_text.h"
#include "text/local_time.h"

namespace tandrel {

void RuleHistoryPresenter::Init() {
    const std::string data_folder = context_.host.DataFolder();
    const std::string mailbox = context_.host.CurrentMailbox();
    received_path_ = RuleFilePath(data_folder, mailbox, true);
    sent_path_ = RuleFilePath(data_folder, mailbox, false);
    dialog_.AddItem(IDC_HISTORY_RULE_FILE, context_.strings.Load(IDS_HISTORY_RECEIVED_RULES));
    dialog_.AddItem(IDC_HISTORY_RULE_FILE, context_.strings.Load(IDS_HISTORY_SENT_RULES));
    dialog_.Select(IDC_HISTORY_RULE_FILE, 0);
    ShowVersions();
}

bool RuleHistoryPresenter::ShowsReceivedRules() {
    return dialog_.Selection(IDC_HISTORY_RULE_FILE) != 1;
}

std::string RuleHistoryPresenter::ShownPath() {
    return ShowsReceivedRules() ? received_path_ : sent_path_;
}

// One line a version: "2  2026-12-09 14:05  + From contains a@b.c -> Main\Work\",
// with "cannot be read" for a version that cannot be read.
void RuleHistoryPresenter::ShowVersions() {
    const RuleHistoryList history = ListRuleHistory(context_.files, ShownPath());
    const auto load = [this](int id) { return context_.strings.Load(id); };
    const FolderNaming naming = FoldersAsTheHostShowsThem(context_.host, context_.strings);
    versions_.clear();
    std::vector<std::string> lines;
    for (const HistoryRow& row : history.rows) {
        versions_.push_back(row.version);
        lines.push_back(std::to_string(row.version.number) + "  " +
                        FormatLocalTime(row.version.facts.modified, ClockDetail::Minutes) + "  " +
                        DescribeFindings(row.summary, IDS_CHANGE_SEPARATOR, load, naming));
    }
    dialog_.ClearItems(IDC_HISTORY_VERSIONS);
    dialog_.AddItems(IDC_HISTORY_VERSIONS, lines);
    dialog_.SetText(IDC_HISTORY_NONE_KEPT,
                    versions_.empty() ? context_.strings.Load(IDS_HISTORY_NONE) : std::string());
    dialog_.Enable(IDC_HISTORY_PUT_BACK, false);
}

// Asks first; puts the version back as "rules undo --to N" does, holding the
// file's lock, and has the host take the rules into use as OK does.
void RuleHistoryPresenter::PutBackSelected() {
    const int selected = dialog_.Selection(IDC_HISTORY_VERSIONS);
    if (selected < 0 || selected >= static_cast<int>(versions_.size())) {
        return;
    }
    const KeptVersion chosen = versions_[static_cast<std::size_t>(selected)];
    const int number = chosen.number;
    Strings& strings = context_.strings;
    const std::string question = FormatText(
        strings.Load(IDS_HISTORY_PUT_BACK),
        {std::to_string(number),
         strings.Load(ShowsReceivedRules() ? IDS_HISTORY_RECEIVED_NAME : IDS_HISTORY_SENT_NAME)});
    if (dialog_.ShowMessage(question, kMessageOkCancel | kMessageInformation,
                            MessageOwner::Dialog) != kIdOk) {
        return;
    }
    const std::string path = ShownPath();
    const RuleWriteResult result = UndoRuleChange(context_.files, path, number, &chosen);
    if (result == RuleWriteResult::Written) {
        context_.host.RequestRuleReload();
    } else {
        const std::string named = result == RuleWriteResult::VersionNotRead
                                      ? chosen.path
                                      : context_.files.ResolveLinks(path);
        dialog_.ShowMessage(RuleWriteMessage(strings, result, named), kMessageOk | kMessageError,
                            MessageOwner::Dialog);
    }
    ShowVersions();
}

bool RuleHistoryPresenter::OnCommand(int id, int notification) {
    if (id == kIdCancel) {
        dialog_.End(kIdCancel);
        return true;
    }
    if (id == IDC_HISTORY_RULE_FILE && notification == kNotifySelChange) {
        ShowVersions();
    } else if (id == IDC_HISTORY_VERSIONS && notification == kNotifySelChange) {
        dialog_.Enable(IDC_HISTORY_PUT_BACK, dialog_.Selection(IDC_HISTORY_VERSIONS) >= 0);
    } else if (id == IDC_HISTORY_PUT_BACK && notification == kNotifyClicked) {
        PutBackSelected();
    }
    return false;
}

}  // namespace tandrel
