#include "entry/ok_sequence.h"

#include <tuple>

#include "addressbook/add_address.h"
#include "entry/rule_request.h"
#include "mailbox/folders.h"
#include "mailbox/rule_runs.h"
#include "resources/resource.h"
#include "resources/string_table.h"
#include "rules/rule_insert.h"
#include "text/format_text.h"

namespace tandrel {

namespace {

// One run of the sequence: its input, and the folders its stages share. The
// dialog is there for the message boxes only.
struct OkRun {
    Dialog& dialog;
    RuleEntryContext& context;
    RuleRequest request;
    std::string saved_folder;  // the host's current folder before the subfolder
    std::string target;        // where the rules sort to: the folder or its new subfolder
};

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

// Stage 1: what is refused before anything is written.
bool CheckRequest(OkRun& run) {
    const auto refused =
        CheckRuleRequest(run.request, run.context.drop_target, run.context.lead_bytes);
    return !refused || Refuse(run, refused->string_id, refused->arguments);
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
    }
    run.target = RuleTarget(run.request, run.context.drop_target, run.context.lead_bytes);
    host.SetCurrentFolder(run.saved_folder);
}

// Stage 3: the condition into each rule file asked for, and the host told to
// take the files into use when one was written.
void WriteRules(OkRun& run) {
    Host& host = run.context.host;
    const RuleRequest& request = run.request;
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
    const RuleRequest& request = run.request;
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
    OkRun run{dialog, context, ReadRuleRequest(dialog, context.lead_bytes), std::string(),
              context.drop_target};
    if (!CheckRequest(run)) {
        return false;
    }
    // The wait cursor while the sequence runs: the reload, the runs and the
    // sort can take a while.
    struct BusyCursor {
        Dialog& dialog;
        explicit BusyCursor(Dialog& shown) : dialog(shown) { dialog.ShowBusy(true); }
        ~BusyCursor() { dialog.ShowBusy(false); }
        BusyCursor(const BusyCursor&) = delete;
        BusyCursor& operator=(const BusyCursor&) = delete;
    } busy(dialog);
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
