#include "support/dialog_layouts.h"

#include "resources/resource.h"

namespace tandrel {

namespace {

using K = ControlKind;

const DialogLayout kRuleEntry = {
    IDD_RULE_ENTRY,
    "Tandrel",
    {
        {IDC_ENTRY_HEADER_NAME, K::DropDownList, "", true},
        {IDC_ENTRY_ADDRESS, K::DropDownCombo, "", true},
        {IDC_ENTRY_SORTED_INTO, K::Static, "", true},
        {IDC_ENTRY_MATCH_COUNT, K::Static, "", true},
        {IDC_ENTRY_ADD_RECEIVING, K::CheckBox, "Add condition to filter for receiving", true},
        {IDC_ENTRY_RECEIVING_HEADER, K::DropDownCombo, "", false},
        {IDC_ENTRY_ADD_SENDING, K::CheckBox, "Add condition to filter for sending", true},
        {IDC_ENTRY_SENDING_HEADER, K::DropDownCombo, "", false},
        {IDC_ENTRY_ADD_PLACE, K::DropDownList, "", false},
        {IDC_ENTRY_CREATE_SUBFOLDER, K::CheckBox, "Create subfolder and set filter target", false},
        {IDC_ENTRY_SUBFOLDER_NAME, K::DropDownCombo, "", false},
        {IDC_ENTRY_DELETE_SAME, K::CheckBox, "Delete same condition", false},
        {IDC_ENTRY_EXECUTE_FILTER, K::CheckBox, "Execute filter after set", false},
        {IDC_ENTRY_RUN_CURRENT, K::PushLikeCheckBox, "Current", false},
        {IDC_ENTRY_RUN_INBOX, K::PushLikeCheckBox, "Inbox", false},
        {IDC_ENTRY_RUN_SENT, K::PushLikeCheckBox, "Sent", false},
        {IDC_ENTRY_SORT_BY_DATE, K::CheckBox, "Sort by date after filtering", false},
        {IDC_ENTRY_ADD_TO_BOOK, K::CheckBox, "Add address to address book", true},
        {IDC_ENTRY_CHOOSE_GROUP, K::PushButton, "Adress Group", false},
        {IDC_ENTRY_BOOK_NAME, K::DropDownCombo, "", false},
        {1, K::PushButton, "OK", true},
        {2, K::PushButton, "Cancel", true},
        {IDC_ENTRY_FOLDER_NAME, K::ReadOnlyEdit, "", true},
        {IDC_ENTRY_SUBFOLDER_LABEL, K::Static, "Subfolder name:", false},
        {IDC_ENTRY_BOOK_NAME_LABEL, K::Static, "Name:", false},
        {IDC_ENTRY_GROUP, K::ReadOnlyEdit, "", false},
        {IDC_ENTRY_RECEIVING_LABEL, K::Static, "Header", false},
        {IDC_ENTRY_SENDING_LABEL, K::Static, "Header", false},
        {IDC_ENTRY_ADD_PLACE_LABEL, K::Static, "Add place:", false},
    },
};

const DialogLayout kSetup = {
    IDD_SETUP,
    "Tandrel Setup",
    {
        {IDC_SETUP_IN_LIST, K::ListBox, "", true},
        {IDC_SETUP_IN_UP, K::PushButton, "UP", false},
        {IDC_SETUP_IN_DOWN, K::PushButton, "DOWN", false},
        {IDC_SETUP_IN_DELETE, K::PushButton, "Delete", false},
        {IDC_SETUP_IN_NEW, K::Edit, "", true},
        {IDC_SETUP_IN_ADD, K::PushButton, "Add", false},
        {IDC_SETUP_OUT_LIST, K::ListBox, "", true},
        {IDC_SETUP_OUT_UP, K::PushButton, "UP", false},
        {IDC_SETUP_OUT_DOWN, K::PushButton, "DOWN", false},
        {IDC_SETUP_OUT_DELETE, K::PushButton, "Delete", false},
        {IDC_SETUP_OUT_NEW, K::Edit, "", true},
        {IDC_SETUP_OUT_ADD, K::PushButton, "Add", false},
        {IDC_SETUP_ADD_IN_FILTER, K::CheckBox, "Add condition to filter for receiving", true},
        {IDC_SETUP_ADD_OUT_FILTER, K::CheckBox, "Add condition to filter for sending", true},
        {IDC_SETUP_ADD_PLACE_LABEL, K::Static, "Add Place:", false},
        {IDC_SETUP_ADD_PLACE, K::DropDownList, "", false},
        {IDC_SETUP_CREATE_SUB_DIR, K::CheckBox, "Create subfolder and set filter target", false},
        {IDC_SETUP_DELETE_SAME, K::CheckBox, "Delete same condition", false},
        {IDC_SETUP_EXEC_FILTER, K::CheckBox, "Execute filter after set", false},
        {IDC_SETUP_FILTER_CURRENT, K::PushLikeCheckBox, "Current", false},
        {IDC_SETUP_FILTER_INBOX, K::PushLikeCheckBox, "Inbox", false},
        {IDC_SETUP_FILTER_SENT, K::PushLikeCheckBox, "Sent", false},
        {IDC_SETUP_SORT_BY_DATE, K::CheckBox, "Sort by date after filtering", false},
        {IDC_SETUP_ADD_ADR_BOOK, K::CheckBox, "Add address to address book", true},
        {IDC_SETUP_COUNT_MATCHES, K::CheckBox, "Count matching mail in the dialog", true},
        {IDC_SETUP_DROP_SHIFT, K::PushLikeCheckBox, "Shift", true},
        {IDC_SETUP_DROP_CTRL, K::PushLikeCheckBox, "Ctrl", true},
        {IDC_SETUP_DROP_ALT, K::PushLikeCheckBox, "Alt", true},
        {IDC_SETUP_RULE_HISTORY, K::PushButton, "Rule history...", true},
        {IDC_SETUP_CHECK, K::PushButton, "Check...", true},
        {IDC_SETUP_INFO, K::Static, "", true},
        {1, K::PushButton, "OK", true},
        {2, K::PushButton, "Cancel", true},
    },
};

const DialogLayout kAddressGroup = {
    IDD_ADDRESS_GROUP,
    "AddressGroup",
    {
        {IDC_GROUP_TREE, K::TreeView, "", true},
        {IDC_GROUP_ADD, K::PushButton, "Add", false},
        {IDC_GROUP_NEW_NAME, K::Edit, "", true},
        {1, K::PushButton, "OK", true},
        {2, K::PushButton, "Cancel", true},
    },
};

const DialogLayout kRuleHistory = {
    IDD_RULE_HISTORY,
    "Rule history",
    {
        {IDC_HISTORY_RULE_FILE, K::DropDownList, "", true},
        {IDC_HISTORY_VERSIONS, K::ListBox, "", true},
        {IDC_HISTORY_NONE_KEPT, K::Static, "", true},
        {IDC_HISTORY_PUT_BACK, K::PushButton, "Put back", false},
        {2, K::PushButton, "Close", true},
    },
};

const DialogLayout kCheck = {
    IDD_CHECK,
    "Check",
    {
        {IDC_CHECK_FINDINGS, K::ListBox, "", true},
        {2, K::PushButton, "Close", true},
    },
};

}  // namespace

const DialogLayout* FindDialogLayout(int template_id) {
    for (const DialogLayout* layout :
         {&kRuleEntry, &kSetup, &kAddressGroup, &kRuleHistory, &kCheck}) {
        if (layout->template_id == template_id) {
            return layout;
        }
    }
    return nullptr;
}

}  // namespace tandrel
