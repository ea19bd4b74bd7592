#include "entry/ok_sequence.h"

#include <tuple>
#include <utility>

#include "addressbook/add_address.h"
#include "mailbox/folders.h"
#include "mailbox/rule_runs.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_insert.h"
#include "text/file_names.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

// What the dialog holds at OK, read once: the stages read nothing else of
// the view. Nothing typed may add lines or fields to the files written, so
// each text is made one line.
struct OkRequest {
    bool receiving = false;
    bool sending = false;
    std::string address;
    std::string receiving_header;
    std::string sending_header;
    bool create_subfolder = false;
    std::string subfolder_name;
    int place = -1;
    bool delete_same = false;
    bool add_to_book = false;
    GroupIdentifier group;
    std::string book_name;
    bool execute = false;
    bool run_current = false;
    bool run_inbox = false;
    bool run_sent = false;
    bool sort_by_date = false;

    bool rules() const { return receiving || sending; }
    bool runs_rules() const { return rules() && execute; }
};

// One run of the sequence: its input, and the folders its stages share. The
// dialog is there for the message boxes only.
struct OkRun {
    Dialog& dialog;
    RuleEntryContext& context;
    OkRequest request;
    std::string saved_folder;  // the host's current folder before the subfolder
    std::string target;        // where the rules sort to: the folder or its new subfolder
};

OkRequest ReadRequest(Dialog& dialog, LeadBytePredicate is_lead_byte) {
    const auto line = [&](int id) { return ToOneLine(dialog.Text(id), is_lead_byte); };
    OkRequest request;
    request.receiving = dialog.IsChecked(IDC_ENTRY_ADD_RECEIVING);
    request.sending = dialog.IsChecked(IDC_ENTRY_ADD_SENDING);
    request.address = line(IDC_ENTRY_ADDRESS);
    request.receiving_header = line(IDC_ENTRY_RECEIVING_HEADER);
    request.sending_header = line(IDC_ENTRY_SENDING_HEADER);
    request.create_subfolder = dialog.IsChecked(IDC_ENTRY_CREATE_SUBFOLDER);
    request.subfolder_name = ToOneLine(dialog.Text(IDC_ENTRY_SUBFOLDER_NAME));
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

int Message(OkRun& run, int string_id, unsigned style, const std::vector<std::string>& arguments,
            MessageOwner owner = MessageOwner::Dialog) {
    return run.dialog.ShowMessage(FormatText(run.context.strings.Load(string_id), arguments), style,
                                  owner);
}

void ShowError(OkRun& run, int string_id, const std::vector<std::string>& arguments) {
    Message(run, string_id, kMessageOk | kMessageError, arguments);
}

// An error that keeps the dialog open.
bool Refuse(OkRun& run, int string_id, const std::vector<std::string>& arguments) {
    ShowError(run, string_id, arguments);
    return false;
}

bool IsUsableHeaderName(const std::string& header) {
    return !TrimBlanks(header).empty() && header.find(':') == std::string::npos;
}

// Stage 1: what is refused before anything is written.
bool CheckRequest(OkRun& run) {
    const OkRequest& request = run.request;
    if (!request.rules()) {
        return true;
    }
    if (TrimBlanks(request.address).empty()) {
        return Refuse(run, IDS_NO_ADDRESS, {});
    }
    for (const auto& [checked, header] : {std::pair{request.receiving, request.receiving_header},
                                          std::pair{request.sending, request.sending_header}}) {
        if (checked && !IsUsableHeaderName(header)) {
            return Refuse(run, IDS_BAD_HEADER_NAME, {header});
        }
    }
    if (!request.create_subfolder) {
        return true;
    }
    if (IsTrashFolder(run.context.drop_target, run.context.lead_bytes)) {
        return Refuse(run, IDS_TRASH_SUBFOLDER, {});
    }
    const std::string& name = request.subfolder_name;
    if (name.empty()) {
        return Refuse(run, IDS_NO_SUBFOLDER_NAME, {});
    }
    if (!IsPlainFileName(name, run.context.lead_bytes)) {
        return Refuse(run, IDS_BAD_SUBFOLDER_NAME, {name});
    }
    return true;
}

// Stage 2: the subfolder the rules sort to, made through the host's folder
// tree unless it is there; the host's current folder is put back.
void MakeSubfolder(OkRun& run) {
    Host& host = run.context.host;
    run.saved_folder = host.CurrentFolder();
    if (run.request.create_subfolder) {
        const std::string& parent = run.context.drop_target;
        const std::string& name = run.request.subfolder_name;
        if (SubfolderExists(run.context.files, host.DataFolder(), parent, name)) {
            Message(run, IDS_SUBFOLDER_EXISTS, kMessageOk, {name, host.FolderDisplayName(parent)});
        } else {
            host.CreateSubfolder(parent, name);
        }
        run.target = SubfolderId(parent, name);
    }
    host.SetCurrentFolder(run.saved_folder);
}

// Stage 3: the condition into each rule file asked for, and the host told to
// take the files into use when one was written.
void WriteRules(OkRun& run) {
    Host& host = run.context.host;
    const OkRequest& request = run.request;
    bool any_written = false;
    for (const auto& [checked, receiving, header] :
         {std::tuple{request.receiving, true, request.receiving_header},
          std::tuple{request.sending, false, request.sending_header}}) {
        if (!checked) {
            continue;
        }
        const std::string path = RuleFilePath(host.DataFolder(), host.CurrentMailbox(), receiving);
        const RuleWriteResult result =
            InsertRule(run.context.files, path,
                       {run.target, header, request.address, request.place, request.delete_same});
        if (result == RuleWriteResult::Written) {
            any_written = true;
        } else {
            run.dialog.ShowMessage(
                RuleWriteMessage(run.context.strings, result, run.context.files.ResolveLinks(path)),
                kMessageOk | kMessageError, MessageOwner::Dialog);
        }
    }
    if (any_written) {
        host.RequestRuleReload();
    }
}

// Stage 4: the address into the chosen group, and the group remembered for
// the target folder.
void AddToAddressBook(OkRun& run) {
    if (!run.request.add_to_book) {
        return;
    }
    RuleEntryContext& context = run.context;
    const AddressEntry entry{run.request.group, run.request.address, run.request.book_name};
    const std::string data_folder = context.host.DataFolder();
    const AddAddressResult result = AddAddressToGroup(context.files, context.profile, context.host,
                                                      data_folder, entry, context.lead_bytes);
    if (result != AddAddressResult::Added) {
        run.dialog.ShowMessage(AddAddressMessage(context.strings, result, entry),
                               kMessageOk | kMessageError, MessageOwner::Dialog);
    }
    if (run.request.rules()) {
        const std::string folder_settings = FolderSettingsPath(data_folder, run.target);
        if (!context.profile.WriteString(folder_settings, "Settings", "AddrGrp",
                                         JoinGroupIdentifier(entry.group))) {
            ShowError(run, IDS_FOLDER_SETTINGS_NOT_WRITTEN, {folder_settings});
        }
    }
}

// Stage 5: the new rule run over the folders asked for, each once the user
// agrees, and the target sorted by date.
void RunRulesAndSort(OkRun& run) {
    if (!run.request.runs_rules()) {
        return;
    }
    Host& host = run.context.host;
    const OkRequest& request = run.request;
    const auto ask = [&run](int string_id, const std::vector<std::string>& arguments) {
        return Message(run, string_id, kMessageOkCancel | kMessageInformation, arguments,
                       MessageOwner::DialogOwner) != kIdCancel;
    };
    if (request.run_current && ask(IDS_RUN_CURRENT, {host.FolderDisplayName(run.saved_folder)})) {
        RunRulesOnFolder(host, run.saved_folder, request.receiving_header, request.address);
    }
    if (request.receiving && request.run_inbox) {
        const std::string inbox = InboxFolderId(host.CurrentMailbox());
        if (inbox != run.saved_folder && ask(IDS_RUN_INBOX, {})) {
            RunRulesOnFolder(host, inbox, request.receiving_header, request.address);
        }
    }
    if (request.sending && request.run_sent) {
        const std::string data_folder = host.DataFolder();
        const auto sent =
            FindSentFolder(run.context.files, data_folder, data_folder + host.CurrentMailbox());
        if (sent && *sent != run.saved_folder && ask(IDS_RUN_SENT, {})) {
            RunRulesOnFolder(host, *sent, request.sending_header, request.address);
        }
    }
    if (request.sort_by_date) {
        SortFolderByDate(host, run.target);
    }
}

// Stage 6: the user is left where the runs began, or on the dropped message.
void Reselect(OkRun& run) {
    if (run.request.runs_rules()) {
        run.context.host.SetCurrentFolder(run.saved_folder);
    } else {
        run.context.host.SetCurrentMail(run.context.drop_source);
    }
}

}  // namespace

bool RunOkSequence(Dialog& dialog, RuleEntryContext& context) {
    OkRun run{dialog, context, ReadRequest(dialog, context.lead_bytes), std::string(),
              context.drop_target};
    if (!CheckRequest(run)) {
        return false;
    }
    if (run.request.rules()) {
        MakeSubfolder(run);
        WriteRules(run);
    }
    AddToAddressBook(run);
    dialog.Shrink();
    RunRulesAndSort(run);
    Reselect(run);
    dialog.End(kIdOk);
    return true;
}

}  // namespace tandrel
