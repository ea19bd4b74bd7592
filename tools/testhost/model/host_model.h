// The mail client that the test hosts play: mailboxes, folders and messages
// on disk below a data folder, the current mailbox, folder and message, the
// selection, the rules in use, the host commands and a log of what it saw.
// Portable: the native scenario runner and the Windows test host share it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temp_names.h"
#include "rules/rule_file.h"
#include "support/counting_temp_names.h"

namespace tandrel::testhost {

class HostModel {
  public:
    // `data_folder` and `temp_folder` end with a separator; names and paths
    // are in the code page whose lead bytes `is_lead_byte` tells.
    HostModel(Files& files, std::string data_folder, std::string temp_folder,
              LeadBytePredicate is_lead_byte);

    // Start state: the first mailbox in name order and its Inbox.
    void SetMailbox(const std::string& mailbox_id);
    void SetFolder(const std::string& folder_id) {
        current_folder_ = folder_id;
        current_messages_.reset();
    }
    void SetMail(const std::string& message_id) { current_mail_ = message_id; }

    const std::string& data_folder() const { return data_folder_; }
    const std::string& mailbox() const { return current_mailbox_; }
    const std::string& folder() const { return current_folder_; }
    const std::string& mail() const { return current_mail_; }
    const std::vector<std::string>& log() const { return log_; }
    void Log(const std::string& line) { log_.push_back(line); }

    // What the host functions answer; the calls that change state are logged.
    void SetCurrentFolder(const std::string& folder_id);
    void SetCurrentMail(const std::string& message_id);
    std::string FolderDisplayName(const std::string& folder_id) const;
    // A message's header block as the plug-in reads it (BKA_GetHeader): each
    // read is counted.
    std::string Header(const std::string& message_id);
    // The same block as the host itself shows it, not counted.
    std::string HeaderBlock(const std::string& message_id) const;

    // What the runners tell of the plug-in's dialogs, so that the reads of
    // the count of matching mail can be told from the run's: a dialog opens
    // (nested ones too) and ends, and the Rule entry dialog handles its OK
    // (from the click until the handling returns: a refused OK leaves the
    // dialog open, and the count starts again); before that, an action that
    // may open a dialog (a drop, Setup) starts. While OK is handled, the
    // plug-in may only walk a folder as a rule run does: NextMail from the
    // first message right after a set-folder, on from the message it was
    // handed last, the header of that message, and then the run-rules. Any
    // other NextMail or header read then, a walk that no run-rules follows,
    // and every call once the outermost dialog has ended, is out of place.
    void ActionStarted();
    void DialogOpened();
    void DialogEnded();
    void RuleEntryOkBegins();
    void RuleEntryOkEnds();
    // The reads since the action that opened the outermost dialog started.
    std::size_t reads_since_dialog_opened() const { return reads_ - reads_at_opening_; }
    // The calls out of place (a message read, or "next-mail"); a run fails
    // on any.
    const std::vector<std::string>& misplaced_reads() const { return misplaced_reads_; }
    std::string SpecifiedHeader(const std::string& name, int size) const;
    int NextMail(int position, std::string& message_id) const;
    // NextMail as the plug-in calls it (BKA_GetNextMail), watched as above.
    int PluginNextMail(int position, std::string& message_id);
    void AddToSelection(const std::string& message_id);
    std::string TempFolder() { return temp_names_.TempFolder(); }
    std::string TempFileName(const std::string& prefix) { return temp_names_.TempFileName(prefix); }

    // Host commands.
    void ReadRulesForDialog();                             // 32924: the rules dialog opens
    void ConfirmRulesDialog(bool was_visible);             // its OK: the rules go in use
    std::string CreateNewFolder();                         // 32804: "New Folder" below the current
    void FinishFolderRename(const std::string& new_name);  // end of label editing
    // Renames a folder's directory (a blank name or a failed rename keeps
    // it), logs "new-folder" and returns the identifier it then has.
    std::string RenameFolder(const std::string& folder_id, const std::string& new_name);
    void RunRulesOnSelection();  // 32942
    void SortByDate();           // 32776

    // A text as the log and the scenario steps write it: in double quotes,
    // with % escapes for quotes, tabs, line breaks and "%".
    static std::string Quote(const std::string& text);

  private:
    std::vector<std::string> MessageNames(const std::string& folder_id) const;
    // The current folder's messages, as a mail client holds its list: read
    // once when the folder becomes current, kept as mail moves out of it.
    const std::vector<std::string>& CurrentMessages() const;
    // After OK, a walk ended without its run-rules: its reads were out of place.
    void EndWalkUnlessRun();
    std::string MessagePath(const std::string& message_id) const;

    std::string WithoutTrailingSeparator(const std::string& path) const;

    Files& files_;
    LeadBytePredicate is_lead_byte_;
    std::string data_folder_;
    std::string current_mailbox_;
    std::string current_folder_;
    std::string current_mail_;
    std::vector<std::string> selection_;
    mutable std::optional<std::vector<std::string>> current_messages_;
    std::size_t reads_ = 0;
    int open_dialogs_ = 0;
    std::size_t reads_at_opening_ = 0;
    bool ok_pressed_ = false;
    bool just_set_folder_ = false;  // no plug-in call since the last set-folder
    bool walk_started_ = false;     // a walk from a set-folder, a run's once its run-rules comes
    bool walk_open_ = false;        // that walk has not reached the folder's end
    std::vector<std::string> walk_reads_;  // the headers it read
    int walk_position_ = -1;
    std::string walked_id_;
    bool dialogs_ended_ = false;
    std::vector<std::string> misplaced_reads_;
    std::vector<std::string> log_;
    RuleFile incoming_in_use_;
    RuleFile outgoing_in_use_;
    RuleFile incoming_read_;
    RuleFile outgoing_read_;
    std::string editing_folder_;  // identifier of the folder whose label is open
    CountingTempNames temp_names_;
};

}  // namespace tandrel::testhost
