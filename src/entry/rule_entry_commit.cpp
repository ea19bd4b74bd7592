// The OK sequence of the Rule entry dialog: checks, subfolder, rule files,
// reload, address book, rule runs and sort, in this order.
#include <tuple>
#include <utility>

#include "addressbook/add_address.h"
#include "entry/rule_entry_presenter.h"
#include "mailbox/folders.h"
#include "mailbox/rule_runs.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_insert.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

bool IsUsableHeaderName(const std::string& header) {
    return !TrimBlanks(header).empty() && header.find(':') == std::string::npos;
}

}  // namespace

void RuleEntryPresenter::TellRulesNotWritten(InsertRuleResult result, const std::string& path) {
    switch (result) {
        case InsertRuleResult::LineTooLong:
            Message(IDS_RULE_LINE_TOO_LONG, kMessageOk | kMessageError, {path});
            return;
        case InsertRuleResult::ReadOnly:
            Message(IDS_RULES_READ_ONLY, kMessageOk | kMessageError, {path});
            return;
        case InsertRuleResult::LongLines:
            Message(IDS_RULES_LONG_LINES, kMessageOk | kMessageError, {path});
            return;
        case InsertRuleResult::Busy:
            Message(IDS_RULES_BUSY, kMessageOk | kMessageError, {path, LockPath(path)});
            return;
        default:
            Message(IDS_RULES_NOT_WRITTEN, kMessageOk | kMessageError, {path});
            return;
    }
}

bool RuleEntryPresenter::Commit() {
    Host& host = context_.host;
    const bool receiving = dialog_.IsChecked(IDC_ENTRY_ADD_RECEIVING);
    const bool sending = dialog_.IsChecked(IDC_ENTRY_ADD_SENDING);
    // Nothing typed may add lines or fields to the files written below.
    const std::string address = ToOneLine(dialog_.Text(IDC_ENTRY_ADDRESS));
    const std::string receiving_header = ToOneLine(dialog_.Text(IDC_ENTRY_RECEIVING_HEADER));
    const std::string sending_header = ToOneLine(dialog_.Text(IDC_ENTRY_SENDING_HEADER));
    const bool rules = receiving || sending;

    std::string saved_folder;
    std::string target = context_.drop_target;
    if (rules) {
        if (TrimBlanks(address).empty()) {
            Message(IDS_NO_ADDRESS, kMessageOk | kMessageError, {});
            return false;
        }
        for (const auto& [checked, header] :
             {std::pair{receiving, receiving_header}, std::pair{sending, sending_header}}) {
            if (checked && !IsUsableHeaderName(header)) {
                Message(IDS_BAD_HEADER_NAME, kMessageOk | kMessageError, {header});
                return false;
            }
        }
        saved_folder = host.CurrentFolder();
        if (dialog_.IsChecked(IDC_ENTRY_CREATE_SUBFOLDER)) {
            if (IsTrashFolder(context_.drop_target, context_.lead_bytes)) {
                Message(IDS_TRASH_SUBFOLDER, kMessageOk | kMessageError, {});
                return false;
            }
            const std::string name = ToOneLine(dialog_.Text(IDC_ENTRY_SUBFOLDER_NAME));
            if (name.empty()) {
                Message(IDS_NO_SUBFOLDER_NAME, kMessageOk | kMessageError, {});
                return false;
            }
            if (!IsPlainFileName(name, context_.lead_bytes)) {
                Message(IDS_BAD_SUBFOLDER_NAME, kMessageOk | kMessageError, {name});
                return false;
            }
            if (SubfolderExists(context_.files, host.DataFolder(), context_.drop_target, name)) {
                Message(IDS_SUBFOLDER_EXISTS, kMessageOk,
                        {name, host.FolderDisplayName(context_.drop_target)});
            } else {
                host.CreateSubfolder(context_.drop_target, name);
            }
            target = SubfolderId(context_.drop_target, name);
        }
        host.SetCurrentFolder(saved_folder);

        const int place = dialog_.Selection(IDC_ENTRY_ADD_PLACE);
        const bool delete_same = dialog_.IsChecked(IDC_ENTRY_DELETE_SAME);
        bool any_written = false;
        for (const auto& [checked, side_receiving, header] :
             {std::tuple{receiving, true, receiving_header},
              std::tuple{sending, false, sending_header}}) {
            if (!checked) {
                continue;
            }
            const std::string path =
                RuleFilePath(host.DataFolder(), host.CurrentMailbox(), side_receiving);
            const InsertRuleResult result =
                InsertRule(context_.files, path, {target, header, address, place, delete_same});
            if (result == InsertRuleResult::Written) {
                any_written = true;
            } else {
                TellRulesNotWritten(result, path);
            }
        }
        if (any_written) {
            host.RequestRuleReload();
        }
    }

    if (dialog_.IsChecked(IDC_ENTRY_ADD_TO_BOOK)) {
        const AddressEntry entry{
            SplitGroupIdentifier(dialog_.Text(IDC_ENTRY_GROUP), context_.lead_bytes), address,
            ToOneLine(dialog_.Text(IDC_ENTRY_BOOK_NAME))};
        const std::string data_folder = host.DataFolder();
        const AddAddressResult result = AddAddressToGroup(context_.files, context_.profile, host,
                                                          data_folder, entry, context_.lead_bytes);
        if (result != AddAddressResult::Added) {
            dialog_.ShowMessage(AddAddressMessage(result, entry), kMessageOk | kMessageError,
                                MessageOwner::Dialog);
        }
        if (rules) {
            const std::string folder_settings = FolderSettingsPath(data_folder, target);
            if (!context_.profile.WriteString(folder_settings, "Settings", "AddrGrp",
                                              JoinGroupIdentifier(entry.group))) {
                Message(IDS_FOLDER_SETTINGS_NOT_WRITTEN, kMessageOk | kMessageError,
                        {folder_settings});
            }
        }
    }

    dialog_.Shrink();
    const bool run = rules && dialog_.IsChecked(IDC_ENTRY_EXECUTE_FILTER);
    if (run) {
        const auto ask = [&](int string_id, const std::vector<std::string>& arguments) {
            return Message(string_id, kMessageOkCancel | kMessageInformation, arguments,
                           MessageOwner::DialogOwner) != kIdCancel;
        };
        if (dialog_.IsChecked(IDC_ENTRY_RUN_CURRENT) &&
            ask(IDS_RUN_CURRENT, {host.FolderDisplayName(saved_folder)})) {
            RunRulesOnFolder(host, saved_folder, receiving_header, address);
        }
        if (receiving && dialog_.IsChecked(IDC_ENTRY_RUN_INBOX)) {
            const std::string inbox = InboxFolderId(host.CurrentMailbox());
            if (inbox != saved_folder && ask(IDS_RUN_INBOX, {})) {
                RunRulesOnFolder(host, inbox, receiving_header, address);
            }
        }
        if (sending && dialog_.IsChecked(IDC_ENTRY_RUN_SENT)) {
            const std::string data_folder = host.DataFolder();
            const auto sent =
                FindSentFolder(context_.files, data_folder, data_folder + host.CurrentMailbox());
            if (sent && *sent != saved_folder && ask(IDS_RUN_SENT, {})) {
                RunRulesOnFolder(host, *sent, sending_header, address);
            }
        }
        if (dialog_.IsChecked(IDC_ENTRY_SORT_BY_DATE)) {
            SortFolderByDate(host, target);
        }
    }
    if (run) {
        host.SetCurrentFolder(saved_folder);
    } else {
        host.SetCurrentMail(context_.drop_source);
    }
    dialog_.End(kIdOk);
    return true;
}

}  // namespace tandrel
