#include "entry/rule_request.h"

#include <utility>

#include "mailbox/folders.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "text/file_names.h"
#include "text/one_line.h"

namespace tandrel {

RuleRequest ReadRuleRequest(Dialog& dialog, LeadBytePredicate is_lead_byte, int chosen) {
    const auto text = [&](int id) {
        const int selected = id == chosen ? dialog.Selection(id) : -1;
        return selected >= 0 ? dialog.ItemText(id, selected) : dialog.Text(id);
    };
    const auto line = [&](int id) { return ToOneLine(text(id), is_lead_byte); };
    RuleRequest request;
    request.receiving = dialog.IsChecked(IDC_ENTRY_ADD_RECEIVING);
    request.sending = dialog.IsChecked(IDC_ENTRY_ADD_SENDING);
    request.address = line(IDC_ENTRY_ADDRESS);
    request.receiving_header = line(IDC_ENTRY_RECEIVING_HEADER);
    request.sending_header = line(IDC_ENTRY_SENDING_HEADER);
    request.create_subfolder = dialog.IsChecked(IDC_ENTRY_CREATE_SUBFOLDER);
    // A lone lead byte is kept, not dropped, so that OK refuses the name
    // rather than make a folder of another name.
    request.subfolder_name = ToOneLine(text(IDC_ENTRY_SUBFOLDER_NAME));
    request.place = dialog.Selection(IDC_ENTRY_ADD_PLACE);
    request.delete_same = dialog.IsChecked(IDC_ENTRY_DELETE_SAME);
    request.add_to_book = dialog.IsChecked(IDC_ENTRY_ADD_TO_BOOK);
    request.group = SplitGroupIdentifier(dialog.Text(IDC_ENTRY_GROUP), is_lead_byte);
    request.book_name = line(IDC_ENTRY_BOOK_NAME);
    request.execute = dialog.IsChecked(IDC_ENTRY_EXECUTE_FILTER);
    request.run_current = dialog.IsChecked(IDC_ENTRY_RUN_CURRENT);
    request.run_inbox = dialog.IsChecked(IDC_ENTRY_RUN_INBOX);
    request.run_sent = dialog.IsChecked(IDC_ENTRY_RUN_SENT);
    request.sort_by_date = dialog.IsChecked(IDC_ENTRY_SORT_BY_DATE);
    return request;
}

bool IsUsableHeaderName(std::string_view header) {
    return !TrimBlanks(header).empty() && header.find(':') == std::string_view::npos;
}

std::optional<Refusal> CheckCondition(const RuleRequest& request) {
    if (TrimBlanks(request.address).empty()) {
        return Refusal{IDS_NO_ADDRESS, {}};
    }
    for (const auto& [checked, header] : {std::pair{request.receiving, &request.receiving_header},
                                          std::pair{request.sending, &request.sending_header}}) {
        if (checked && !IsUsableHeaderName(*header)) {
            return Refusal{IDS_BAD_HEADER_NAME, {*header}};
        }
    }
    return std::nullopt;
}

std::optional<Refusal> CheckRuleRequest(const RuleRequest& request, const std::string& drop_target,
                                        LeadBytePredicate is_lead_byte) {
    if (!request.rules()) {
        return std::nullopt;
    }
    if (auto refused = CheckCondition(request)) {
        return refused;
    }
    if (!request.create_subfolder) {
        return std::nullopt;
    }
    if (IsTrashFolder(drop_target, is_lead_byte)) {
        return Refusal{IDS_TRASH_SUBFOLDER, {}};
    }
    const std::string& name = request.subfolder_name;
    if (name.empty()) {
        return Refusal{IDS_NO_SUBFOLDER_NAME, {}};
    }
    if (!IsPlainFileName(name, is_lead_byte)) {
        return Refusal{IDS_BAD_SUBFOLDER_NAME, {name}};
    }
    return std::nullopt;
}

std::string RuleTarget(const RuleRequest& request, const std::string& drop_target,
                       LeadBytePredicate is_lead_byte) {
    if (request.create_subfolder && !IsTrashFolder(drop_target, is_lead_byte) &&
        IsPlainFileName(request.subfolder_name, is_lead_byte)) {
        return SubfolderId(drop_target, request.subfolder_name);
    }
    return drop_target;
}

}  // namespace tandrel
