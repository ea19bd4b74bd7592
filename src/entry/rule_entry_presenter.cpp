#include "entry/rule_entry_presenter.h"

#include "addressbook/default_group.h"
#include "entry/address_group_presenter.h"
#include "entry/ok_sequence.h"
#include "entry/rule_request.h"
#include "mail/address_parts.h"
#include "mail/header_choices.h"
#include "mailbox/folders.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_file.h"
#include "settings/header_lists.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

void EnableAll(Dialog& dialog, std::initializer_list<int> ids, bool enabled) {
    for (const int id : ids) {
        dialog.Enable(id, enabled);
    }
}

}  // namespace

void RuleEntryPresenter::Init() {
    Host& host = context_.host;
    const Settings& settings = context_.settings;
    const std::string data_folder = host.DataFolder();
    const std::string mailbox = host.CurrentMailbox();
    received_rules_ = OpenRules(context_.files, RuleFilePath(data_folder, mailbox, true));
    sent_rules_ = OpenRules(context_.files, RuleFilePath(data_folder, mailbox, false));
    dialog_.SetText(IDC_ENTRY_FOLDER_NAME, host.FolderDisplayName(context_.drop_target));
    if (settings.count_matches) {
        // The count walks the folder current now, the one the message came
        // from; its name is read once.
        count_folder_name_ = ShownText(host.FolderDisplayName(host.CurrentFolder()));
        count_folder_kept_ = count_folder_name_.size();
    }

    dialog_.AddItems(IDC_ENTRY_RECEIVING_HEADER, HeaderListNames(settings.in_headers));
    dialog_.AddItems(IDC_ENTRY_SENDING_HEADER, HeaderListNames(settings.out_headers));
    dialog_.Select(IDC_ENTRY_RECEIVING_HEADER, 0);
    dialog_.Select(IDC_ENTRY_SENDING_HEADER, 0);

    // The host's current message, not yet the dropped one, tells the mode.
    sending_ = !host.SpecifiedHeader("X-SMTP-Result", 256).empty();
    dialog_.SetTitle(context_.strings.Load(sending_ ? IDS_TITLE_SENT : IDS_TITLE_RECEIVED));
    const int preferred_list = sending_ ? IDC_ENTRY_SENDING_HEADER : IDC_ENTRY_RECEIVING_HEADER;
    FillHeaderNames(dialog_.ItemCount(preferred_list) > 0 ? dialog_.ItemText(preferred_list, 0)
                                                          : std::string());
    FillAddressLists();

    for (const int id : {IDS_PLACE_END_OF_FOLDER, IDS_PLACE_TOP_OF_FOLDER, IDS_PLACE_NEW_BLOCK_LAST,
                         IDS_PLACE_NEW_BLOCK_FIRST}) {
        dialog_.AddItem(IDC_ENTRY_ADD_PLACE, context_.strings.Load(id));
    }
    dialog_.Select(IDC_ENTRY_ADD_PLACE, settings.add_place);

    // Each setting on its own, as the dialog opens.
    dialog_.SetChecked(IDC_ENTRY_ADD_RECEIVING, settings.add_in_filter);
    if (settings.add_in_filter) {
        EnableAll(dialog_, {IDC_ENTRY_RECEIVING_LABEL, IDC_ENTRY_RECEIVING_HEADER}, true);
    }
    dialog_.SetChecked(IDC_ENTRY_ADD_SENDING, settings.add_out_filter);
    if (settings.add_out_filter) {
        EnableAll(dialog_, {IDC_ENTRY_SENDING_LABEL, IDC_ENTRY_SENDING_HEADER}, true);
    }
    if (settings.add_in_filter || settings.add_out_filter) {
        EnableAll(dialog_,
                  {IDC_ENTRY_ADD_PLACE_LABEL, IDC_ENTRY_ADD_PLACE, IDC_ENTRY_CREATE_SUBFOLDER,
                   IDC_ENTRY_DELETE_SAME, IDC_ENTRY_EXECUTE_FILTER},
                  true);
    }
    dialog_.SetChecked(IDC_ENTRY_CREATE_SUBFOLDER, settings.create_sub_dir);
    if (settings.create_sub_dir) {
        EnableAll(dialog_, {IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_SUBFOLDER_LABEL}, true);
    }
    dialog_.SetChecked(IDC_ENTRY_DELETE_SAME, settings.delete_same_cond);
    dialog_.SetChecked(IDC_ENTRY_EXECUTE_FILTER, settings.exec_filter);
    if (settings.exec_filter) {
        EnableAll(dialog_, {IDC_ENTRY_SORT_BY_DATE, IDC_ENTRY_RUN_CURRENT}, true);
        dialog_.Enable(IDC_ENTRY_RUN_SENT, settings.add_out_filter);
        dialog_.Enable(IDC_ENTRY_RUN_INBOX, settings.add_in_filter);
    }
    dialog_.SetChecked(IDC_ENTRY_SORT_BY_DATE, settings.sort_by_date);
    dialog_.SetChecked(IDC_ENTRY_RUN_CURRENT, settings.filter_current);
    dialog_.SetChecked(IDC_ENTRY_RUN_SENT, settings.filter_sent);
    dialog_.SetChecked(IDC_ENTRY_RUN_INBOX, settings.filter_inbox);
    dialog_.SetChecked(IDC_ENTRY_ADD_TO_BOOK, settings.add_adr_book);
    if (settings.add_adr_book) {
        ApplyAddressBookRule();
    }

    std::string group =
        context_.profile.ReadString(FolderSettingsPath(data_folder, context_.drop_target),
                                    "Settings", "AddrGrp", std::string(), kWholeValue);
    if (group.empty()) {
        group =
            FindDefaultGroup(context_.files, context_.profile, data_folder, context_.lead_bytes);
    }
    dialog_.SetText(IDC_ENTRY_GROUP, group);
    ShowSortedInto();
}

void RuleEntryPresenter::FillHeaderNames(const std::string& preferred) {
    const HeaderNameChoices choices =
        ListHeaderNames(context_.host.Header(context_.drop_source), preferred);
    dialog_.AddItems(IDC_ENTRY_HEADER_NAME, choices.names);
    dialog_.Select(IDC_ENTRY_HEADER_NAME, choices.selected);
}

void RuleEntryPresenter::FillAddressLists() {
    const int selected = dialog_.Selection(IDC_ENTRY_HEADER_NAME);
    if (selected < 0) {
        return;
    }
    for (const int id : {IDC_ENTRY_ADDRESS, IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_BOOK_NAME}) {
        dialog_.ClearItems(id);
    }
    context_.host.SetCurrentMail(context_.drop_source);
    const std::string header = dialog_.ItemText(IDC_ENTRY_HEADER_NAME, selected);
    const std::string value = context_.host.SpecifiedHeader(header, 65535);
    dialog_.SetText(sending_ ? IDC_ENTRY_SENDING_HEADER : IDC_ENTRY_RECEIVING_HEADER, header);
    std::vector<std::string> addresses;
    std::vector<std::string> folder_names;
    std::vector<std::string> names;
    for (NameAddress& choice : AddressChoices(value, context_.lead_bytes, context_.charsets)) {
        addresses.push_back(std::move(choice.address));
        // A proposed subfolder name is one OK takes.
        folder_names.push_back(ProposedFolderName(choice, context_.lead_bytes));
        names.push_back(std::move(choice.name));
    }
    dialog_.AddItems(IDC_ENTRY_ADDRESS, addresses);
    dialog_.AddItems(IDC_ENTRY_SUBFOLDER_NAME, folder_names);
    dialog_.AddItems(IDC_ENTRY_BOOK_NAME, names);
    for (const int id : {IDC_ENTRY_ADDRESS, IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_BOOK_NAME}) {
        dialog_.Select(id, 0);
    }
}

void RuleEntryPresenter::ApplyRuleBoxRules() {
    const bool receiving = dialog_.IsChecked(IDC_ENTRY_ADD_RECEIVING);
    const bool sending = dialog_.IsChecked(IDC_ENTRY_ADD_SENDING);
    EnableAll(dialog_, {IDC_ENTRY_RECEIVING_LABEL, IDC_ENTRY_RECEIVING_HEADER}, receiving);
    EnableAll(dialog_, {IDC_ENTRY_SENDING_LABEL, IDC_ENTRY_SENDING_HEADER}, sending);
    if (!receiving && !sending) {
        EnableAll(dialog_,
                  {IDC_ENTRY_ADD_PLACE_LABEL, IDC_ENTRY_ADD_PLACE, IDC_ENTRY_CREATE_SUBFOLDER,
                   IDC_ENTRY_DELETE_SAME, IDC_ENTRY_EXECUTE_FILTER, IDC_ENTRY_SUBFOLDER_NAME,
                   IDC_ENTRY_SUBFOLDER_LABEL, IDC_ENTRY_SORT_BY_DATE, IDC_ENTRY_RUN_CURRENT,
                   IDC_ENTRY_RUN_SENT, IDC_ENTRY_RUN_INBOX},
                  false);
        return;
    }
    EnableAll(dialog_,
              {IDC_ENTRY_ADD_PLACE_LABEL, IDC_ENTRY_ADD_PLACE, IDC_ENTRY_CREATE_SUBFOLDER,
               IDC_ENTRY_DELETE_SAME, IDC_ENTRY_EXECUTE_FILTER},
              true);
    EnableAll(dialog_, {IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_SUBFOLDER_LABEL},
              dialog_.IsChecked(IDC_ENTRY_CREATE_SUBFOLDER));
    ApplyExecuteRule();
}

void RuleEntryPresenter::ApplyExecuteRule() {
    if (!dialog_.IsChecked(IDC_ENTRY_EXECUTE_FILTER)) {
        EnableAll(dialog_,
                  {IDC_ENTRY_SORT_BY_DATE, IDC_ENTRY_RUN_CURRENT, IDC_ENTRY_RUN_SENT,
                   IDC_ENTRY_RUN_INBOX},
                  false);
        return;
    }
    EnableAll(dialog_, {IDC_ENTRY_SORT_BY_DATE, IDC_ENTRY_RUN_CURRENT}, true);
    dialog_.Enable(IDC_ENTRY_RUN_SENT, dialog_.IsChecked(IDC_ENTRY_ADD_SENDING));
    dialog_.Enable(IDC_ENTRY_RUN_INBOX, dialog_.IsChecked(IDC_ENTRY_ADD_RECEIVING));
}

void RuleEntryPresenter::ApplyAddressBookRule() {
    EnableAll(
        dialog_,
        {IDC_ENTRY_CHOOSE_GROUP, IDC_ENTRY_GROUP, IDC_ENTRY_BOOK_NAME, IDC_ENTRY_BOOK_NAME_LABEL},
        dialog_.IsChecked(IDC_ENTRY_ADD_TO_BOOK));
}

void RuleEntryPresenter::ShowSortedInto(int chosen) {
    const RuleRequest request = ReadRuleRequest(dialog_, context_.lead_bytes, chosen);
    dialog_.SetText(
        IDC_ENTRY_SORTED_INTO,
        SortedIntoLine(SortedIntoQueryFor(request, context_.drop_target, context_.lead_bytes),
                       received_rules_, sent_rules_, context_.host, context_.strings,
                       [this](const std::string& line) {
                           return dialog_.TextFits(IDC_ENTRY_SORTED_INTO, line);
                       }));
    FollowCount(request);
}

void RuleEntryPresenter::FollowCount(const RuleRequest& request) {
    if (!context_.settings.count_matches ||
        count_.Counts(request.receiving_header, request.address)) {
        return;
    }
    StopCount();
    if (TrimBlanks(request.receiving_header).empty() || TrimBlanks(request.address).empty()) {
        count_.Forget();
        dialog_.SetText(IDC_ENTRY_MATCH_COUNT, std::string());
        return;
    }
    count_.Restart(request.receiving_header, request.address);
    ShowCount();
    // The slices run when the dialog idles, the first once it is shown.
    dialog_.StartTimer(kCountTimer, static_cast<unsigned>(kSliceTime.count()));
    counting_ = true;
}

void RuleEntryPresenter::StopCount() {
    if (counting_) {
        dialog_.StopTimer(kCountTimer);
        counting_ = false;
    }
}

void RuleEntryPresenter::ShowCount() {
    // One line: where the text does not fit, the folder's name is shortened
    // ("..."), never the numbers; it only ever shortens, so this costs a
    // measure or two a slice.
    const auto text = [this] {
        const bool whole = count_folder_kept_ == count_folder_name_.size();
        return count_.Text(
            context_.strings,
            whole ? count_folder_name_ : count_folder_name_.substr(0, count_folder_kept_) + "...");
    };
    std::string shown = text();
    while (count_folder_kept_ > 0 && !dialog_.TextFits(IDC_ENTRY_MATCH_COUNT, shown)) {
        count_folder_kept_ =
            CutAtCharacter(count_folder_name_, count_folder_kept_ - 1, context_.lead_bytes).size();
        shown = text();
    }
    dialog_.SetText(IDC_ENTRY_MATCH_COUNT, shown);
}

void RuleEntryPresenter::OnTimer(int id) {
    if (id != kCountTimer || !counting_) {
        return;
    }
    const auto deadline = context_.now() + kSliceTime;
    if (count_.Slice(context_.host, [&] { return context_.now() >= deadline; })) {
        StopCount();
    }
    ShowCount();
}

void RuleEntryPresenter::SelectInLists(int source, int first, int second) {
    const int index = dialog_.Selection(source);
    dialog_.Select(first, index);
    dialog_.Select(second, index);
}

// The Address group dialog opens on the group the field shows; the group it
// hands back, if any, is shown there.
void RuleEntryPresenter::ChooseGroup() {
    GroupChoice choice;
    choice.shown = SplitGroupIdentifier(dialog_.Text(IDC_ENTRY_GROUP), context_.lead_bytes);
    dialog_.RunNestedDialog(IDD_ADDRESS_GROUP, &choice);
    if (choice.chosen) {
        dialog_.SetText(IDC_ENTRY_GROUP, JoinGroupIdentifier(*choice.chosen));
    }
}

bool RuleEntryPresenter::OnCommand(int id, int notification) {
    if (id == kIdOk) {
        // The sequence changes the current folder, and its message boxes
        // run a message loop: the count stops before it touches anything.
        StopCount();
        count_.Forget();
        if (RunOkSequence(dialog_, context_)) {
            return true;
        }
        FollowCount(ReadRuleRequest(dialog_, context_.lead_bytes));
        return false;
    }
    if (id == kIdCancel) {
        StopCount();
        dialog_.End(kIdCancel);
        return true;
    }
    if (notification == kNotifyClicked) {
        switch (id) {
            case IDC_ENTRY_ADD_RECEIVING:
            case IDC_ENTRY_ADD_SENDING:
                ApplyRuleBoxRules();
                ShowSortedInto();
                break;
            case IDC_ENTRY_CREATE_SUBFOLDER:
                EnableAll(dialog_, {IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_SUBFOLDER_LABEL},
                          dialog_.IsChecked(IDC_ENTRY_CREATE_SUBFOLDER));
                ShowSortedInto();
                break;
            case IDC_ENTRY_DELETE_SAME:
                ShowSortedInto();
                break;
            case IDC_ENTRY_EXECUTE_FILTER:
                ApplyExecuteRule();
                break;
            case IDC_ENTRY_ADD_TO_BOOK:
                ApplyAddressBookRule();
                break;
            case IDC_ENTRY_CHOOSE_GROUP:
                ChooseGroup();
                break;
            default:
                break;
        }
        return false;
    }
    if (notification == kNotifySelChange) {
        switch (id) {
            case IDC_ENTRY_HEADER_NAME:
                FillAddressLists();
                ShowSortedInto();
                break;
            case IDC_ENTRY_ADDRESS:
                SelectInLists(id, IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_BOOK_NAME);
                ShowSortedInto(id);
                break;
            case IDC_ENTRY_SUBFOLDER_NAME:
                SelectInLists(id, IDC_ENTRY_ADDRESS, IDC_ENTRY_BOOK_NAME);
                ShowSortedInto(id);
                break;
            case IDC_ENTRY_BOOK_NAME:
                SelectInLists(id, IDC_ENTRY_ADDRESS, IDC_ENTRY_SUBFOLDER_NAME);
                ShowSortedInto();
                break;
            case IDC_ENTRY_RECEIVING_HEADER:
            case IDC_ENTRY_SENDING_HEADER:
                ShowSortedInto(id);
                break;
            default:
                break;
        }
        return false;
    }
    if (notification == kNotifyComboEditUpdate && id == IDC_ENTRY_SUBFOLDER_NAME) {
        // A typed subfolder name becomes the address-book name too.
        dialog_.SetText(IDC_ENTRY_BOOK_NAME, dialog_.Text(IDC_ENTRY_SUBFOLDER_NAME));
    }
    if (notification == kNotifyComboEditChange &&
        (id == IDC_ENTRY_ADDRESS || id == IDC_ENTRY_SUBFOLDER_NAME ||
         id == IDC_ENTRY_RECEIVING_HEADER || id == IDC_ENTRY_SENDING_HEADER)) {
        ShowSortedInto();
    }
    return false;
}

}  // namespace tandrel
