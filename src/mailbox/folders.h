// The host's mail folders on disk. A folder identifier is the mailbox
// identifier followed by each folder's directory name and "\", relative to the
// data folder; the data folder and every identifier end with "\", so paths are
// built by plain concatenation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "text/characters.h"

namespace tandrel {

constexpr const char* kInboxName = "!!!!Inbox";
constexpr const char* kSentName = "!!!Sent";
constexpr const char* kTrashName = "!Trash";
constexpr const char* kFolderSettingsName = "Folder.ini";

// Whether the folder's last name counts as the trash: "!Trash" or any leading
// part of it. A folder below the trash is not the trash.
bool IsTrashFolder(std::string_view folder_id, LeadBytePredicate is_lead_byte);

// Whether `folder_id` is a plain folder identifier: plain names, each ended
// by "\\", relative to the data folder, so it cannot leave it.
bool IsPlainFolderId(std::string_view folder_id, LeadBytePredicate is_lead_byte);

// Whether `parent_id` holds a subfolder `name`: its "Folder.ini" opens.
bool SubfolderExists(Files& files, const std::string& data_folder, const std::string& parent_id,
                     const std::string& name);

// Depth-first search for "!!!Sent" among the directories whose names begin with
// "!!!", below `directory` (absolute, ending with "\"), following no link. The
// result is relative to `data_folder`, which `directory` begins with.
std::optional<std::string> FindSentFolder(Files& files, const std::string& data_folder,
                                          const std::string& directory);

// The current mailbox's Inbox: the mailbox identifier, "!!!!Inbox" and "\".
std::string InboxFolderId(const std::string& mailbox_id);

// A subfolder's identifier: the parent's, the name and "\".
std::string SubfolderId(const std::string& parent_id, const std::string& name);

// The folder's own settings file: data folder, identifier, "Folder.ini".
std::string FolderSettingsPath(const std::string& data_folder, const std::string& folder_id);

}  // namespace tandrel
