#include "testhost/model/host_model.h"

#include <algorithm>

#include "mail/message_file.h"
#include "mailbox/folders.h"
#include "rules/rule_reader.h"

namespace tandrel::testhost {

namespace {

constexpr const char* kMessageExtension = ".eml";
constexpr const char* kNewFolderName = "New Folder";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

HostModel::HostModel(Files& files, std::string data_folder, std::string temp_folder,
                     LeadBytePredicate is_lead_byte)
    : files_(files),
      is_lead_byte_(is_lead_byte),
      data_folder_(std::move(data_folder)),
      temp_names_(std::move(temp_folder)) {
    std::vector<FolderEntry> entries;
    std::vector<std::string> mailboxes;
    if (files_.ListFolder(data_folder_ + "*", entries)) {
        for (const FolderEntry& entry : entries) {
            if (entry.is_directory && entry.name != "." && entry.name != ".." &&
                entry.name != "AddrBook") {
                mailboxes.push_back(entry.name);
            }
        }
    }
    std::sort(mailboxes.begin(), mailboxes.end());
    SetMailbox(mailboxes.empty() ? std::string() : mailboxes.front() + "\\");
}

void HostModel::SetMailbox(const std::string& mailbox_id) {
    current_mailbox_ = mailbox_id;
    SetFolder(InboxFolderId(mailbox_id));
    // A host starts with the rules on disk in use.
    ReadRulesForDialog();
    incoming_in_use_ = incoming_read_;
    outgoing_in_use_ = outgoing_read_;
}

void HostModel::SetCurrentFolder(const std::string& folder_id) {
    Log("set-folder " + Quote(folder_id));
    EndWalkUnlessRun();
    just_set_folder_ = true;
    if (folder_id != current_folder_) {
        selection_.clear();
        current_messages_.reset();
    }
    current_folder_ = folder_id;
}

void HostModel::SetCurrentMail(const std::string& message_id) {
    Log("set-mail " + Quote(message_id));
    current_mail_ = message_id;
}

std::string HostModel::WithoutTrailingSeparator(const std::string& path) const {
    if (EndsWithCharacter(path, '\\', is_lead_byte_) ||
        EndsWithCharacter(path, '/', is_lead_byte_)) {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string HostModel::FolderDisplayName(const std::string& folder_id) const {
    const std::string path = WithoutTrailingSeparator(folder_id);
    const auto slash = FindLastCharacter(path, '\\', is_lead_byte_);
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const bool is_mailbox = folder_id == current_mailbox_ || slash == std::string::npos;
    if (!is_mailbox && !name.empty() && name.front() == '!') {
        name.erase(0, name.find_first_not_of('!'));
    }
    return name;
}

std::string HostModel::MessagePath(const std::string& message_id) const {
    const auto mark = message_id.find('?');
    if (mark == std::string::npos) {
        return std::string();
    }
    return data_folder_ + message_id.substr(0, mark) + message_id.substr(mark + 1) +
           kMessageExtension;
}

std::string HostModel::Header(const std::string& message_id) {
    ++reads_;
    if (dialogs_ended_ || (ok_pressed_ && !(walk_open_ && message_id == walked_id_))) {
        misplaced_reads_.push_back(message_id);
    } else if (ok_pressed_) {
        walk_reads_.push_back(message_id);
    }
    just_set_folder_ = false;
    return HeaderBlock(message_id);
}

int HostModel::PluginNextMail(int position, std::string& message_id) {
    const int next = NextMail(position, message_id);
    const bool starts_walk = position < 0 && just_set_folder_;
    const bool goes_on = walk_started_ && position == walk_position_;
    if (dialogs_ended_ || (ok_pressed_ && !starts_walk && !goes_on)) {
        misplaced_reads_.push_back("next-mail after " + std::to_string(position));
    } else if (ok_pressed_) {
        if (starts_walk) {
            EndWalkUnlessRun();
            walk_started_ = true;
        }
        walk_open_ = next >= 0;
        walk_position_ = next;
        walked_id_ = next >= 0 ? message_id : std::string();
    }
    just_set_folder_ = false;
    return next;
}

void HostModel::EndWalkUnlessRun() {
    // A walk that is not followed by its run-rules was no run's.
    if (walk_started_) {
        misplaced_reads_.emplace_back("a walk without a run");
        misplaced_reads_.insert(misplaced_reads_.end(), walk_reads_.begin(), walk_reads_.end());
    }
    walk_started_ = false;
    walk_open_ = false;
    walk_reads_.clear();
}

void HostModel::ActionStarted() {
    if (open_dialogs_ == 0) {
        reads_at_opening_ = reads_;
        ok_pressed_ = false;
        walk_open_ = false;
        dialogs_ended_ = false;
    }
}

void HostModel::DialogOpened() {
    ++open_dialogs_;
}

void HostModel::DialogEnded() {
    if (open_dialogs_ > 0 && --open_dialogs_ == 0) {
        dialogs_ended_ = true;
    }
}

void HostModel::RuleEntryOkBegins() {
    ok_pressed_ = true;
    walk_open_ = false;
}

void HostModel::RuleEntryOkEnds() {
    EndWalkUnlessRun();
    ok_pressed_ = false;
}

std::string HostModel::HeaderBlock(const std::string& message_id) const {
    std::string message;
    const std::string path = MessagePath(message_id);
    if (path.empty() || files_.ReadFile(path, message) != ReadStatus::Ok) {
        return std::string();
    }
    return HeaderBlockOf(message);
}

std::string HostModel::SpecifiedHeader(const std::string& name, int size) const {
    std::string value = FieldOf(HeaderBlock(current_mail_), name);
    if (size > 0 && value.size() >= static_cast<std::size_t>(size)) {
        value.resize(static_cast<std::size_t>(size) - 1);
    }
    return value;
}

std::vector<std::string> HostModel::MessageNames(const std::string& folder_id) const {
    std::vector<FolderEntry> entries;
    std::vector<std::string> names;
    if (files_.ListFolder(data_folder_ + folder_id + "*", entries)) {
        for (const FolderEntry& entry : entries) {
            if (!entry.is_directory && EndsWith(entry.name, kMessageExtension)) {
                names.push_back(entry.name.substr(0, entry.name.size() - 4));
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<std::string>& HostModel::CurrentMessages() const {
    if (!current_messages_) {
        current_messages_ = MessageNames(current_folder_);
    }
    return *current_messages_;
}

int HostModel::NextMail(int position, std::string& message_id) const {
    const std::vector<std::string>& names = CurrentMessages();
    const std::size_t next = position < 0 ? 0 : static_cast<std::size_t>(position) + 1;
    if (next >= names.size()) {
        return -1;
    }
    message_id = current_folder_ + "?" + names[next];
    return static_cast<int>(next);
}

void HostModel::AddToSelection(const std::string& message_id) {
    Log("select " + Quote(message_id));
    selection_.push_back(message_id);
}

void HostModel::ReadRulesForDialog() {
    ReadRuleFile(files_, RuleFilePath(data_folder_, current_mailbox_, true), incoming_read_);
    ReadRuleFile(files_, RuleFilePath(data_folder_, current_mailbox_, false), outgoing_read_);
}

void HostModel::ConfirmRulesDialog(bool was_visible) {
    incoming_in_use_ = incoming_read_;
    outgoing_in_use_ = outgoing_read_;
    Log(was_visible ? "reload visible" : "reload");
}

std::string HostModel::CreateNewFolder() {
    std::string name = kNewFolderName;
    for (int n = 2; files_.CanOpenForReading(data_folder_ + current_folder_ + name + "\\" +
                                             kFolderSettingsName);
         ++n) {
        name = std::string(kNewFolderName) + " (" + std::to_string(n) + ")";
    }
    const std::string directory = data_folder_ + current_folder_ + name;
    files_.MakeDirectory(directory);
    files_.WriteAtomically(directory + "\\" + kFolderSettingsName, {}, std::string());
    editing_folder_ = SubfolderId(current_folder_, name);
    return editing_folder_;
}

void HostModel::FinishFolderRename(const std::string& new_name) {
    if (!editing_folder_.empty()) {
        RenameFolder(editing_folder_, new_name);
        editing_folder_.clear();
    }
}

std::string HostModel::RenameFolder(const std::string& folder_id, const std::string& new_name) {
    const std::string old_path = WithoutTrailingSeparator(folder_id);
    const auto slash = FindLastCharacter(old_path, '\\', is_lead_byte_);
    const std::string parent = old_path.substr(0, slash == std::string::npos ? 0 : slash + 1);
    std::string id = folder_id;
    if (!new_name.empty() &&
        files_.Rename(data_folder_ + old_path, data_folder_ + parent + new_name)) {
        id = SubfolderId(parent, new_name);
    }
    Log("new-folder " + Quote(id));
    return id;
}

void HostModel::RunRulesOnSelection() {
    Log("run-rules " + Quote(current_folder_));
    // The walk before it was the run's.
    walk_started_ = false;
    walk_open_ = false;
    walk_reads_.clear();
    const std::string sent = SubfolderId(current_mailbox_, kSentName);
    const RuleFile& rules =
        current_folder_.compare(0, sent.size(), sent) == 0 ? outgoing_in_use_ : incoming_in_use_;
    for (const std::string& message_id : selection_) {
        const std::string header = HeaderBlock(message_id);
        for (const RuleBlock& block : rules.blocks) {
            if (block.kind != kMoveKind) {
                continue;
            }
            const bool matches = std::any_of(
                block.conditions.begin(), block.conditions.end(), [&](const RuleCondition& c) {
                    return c.mark && FieldOf(header, c.header).find(c.value) != std::string::npos;
                });
            if (!matches) {
                continue;
            }
            // A rule that sorts a message into the folder it is in moves
            // nothing (Windows would rename the file onto itself).
            const std::size_t mark = message_id.find('?');
            if (message_id.compare(0, mark, block.argument) == 0 && mark == block.argument.size()) {
                break;
            }
            const std::string name = message_id.substr(mark + 1);
            if (files_.Rename(MessagePath(message_id),
                              data_folder_ + block.argument + name + kMessageExtension)) {
                Log("moved " + Quote(message_id) + " -> " + Quote(block.argument));
                if (current_messages_ && message_id.compare(0, mark, current_folder_) == 0) {
                    auto& names = *current_messages_;
                    names.erase(std::remove(names.begin(), names.end(), name), names.end());
                }
            }
            break;
        }
    }
    selection_.clear();
}

void HostModel::SortByDate() {
    Log("sort " + Quote(current_folder_));
}

std::string HostModel::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                quoted += "%22";
                break;
            case '\t':
                quoted += "%09";
                break;
            case '\r':
                quoted += "%0D";
                break;
            case '\n':
                quoted += "%0A";
                break;
            case '%':
                quoted += "%25";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace tandrel::testhost
