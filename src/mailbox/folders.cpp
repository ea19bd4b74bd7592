#include "mailbox/folders.h"

#include <algorithm>
#include <vector>

#include "text/file_names.h"

namespace tandrel {

bool IsTrashFolder(std::string_view folder_id, LeadBytePredicate is_lead_byte) {
    std::string_view path = folder_id;
    if (EndsWithCharacter(path, '\\', is_lead_byte)) {
        path.remove_suffix(1);
    }
    const auto slash = FindLastCharacter(path, '\\', is_lead_byte);
    const std::string_view last_name =
        slash == std::string_view::npos ? path : path.substr(slash + 1);
    // A length-limited comparison over the last name's length: a leading part
    // of "!Trash" matches, a longer name does not.
    const std::string_view trash(kTrashName);
    return last_name.size() <= trash.size() && trash.substr(0, last_name.size()) == last_name;
}

bool IsPlainFolderId(std::string_view folder_id, LeadBytePredicate is_lead_byte) {
    return EndsWithCharacter(folder_id, '\\', is_lead_byte) &&
           IsPlainPath(folder_id.substr(0, folder_id.size() - 1), is_lead_byte);
}

bool SubfolderExists(Files& files, const std::string& data_folder, const std::string& parent_id,
                     const std::string& name) {
    return files.CanOpenForReading(data_folder + parent_id + name + "\\" + kFolderSettingsName);
}

std::optional<std::string> FindSentFolder(Files& files, const std::string& data_folder,
                                          const std::string& directory) {
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(directory + "!!!*", entries)) {
        return std::nullopt;
    }
    for (const FolderEntry& entry : entries) {
        if (!entry.is_directory) {
            continue;
        }
        // The folder is found by its name, whatever it is (a junction too).
        if (entry.name == kSentName) {
            return directory.substr(std::min(data_folder.size(), directory.size())) + kSentName +
                   "\\";
        }
        // A link could lead back up and the search run in a loop.
        if (entry.is_link) {
            continue;
        }
        if (auto found = FindSentFolder(files, data_folder, directory + entry.name + "\\")) {
            return found;
        }
    }
    return std::nullopt;
}

std::string InboxFolderId(const std::string& mailbox_id) {
    return SubfolderId(mailbox_id, kInboxName);
}

std::string SubfolderId(const std::string& parent_id, const std::string& name) {
    return parent_id + name + "\\";
}

std::string FolderSettingsPath(const std::string& data_folder, const std::string& folder_id) {
    return data_folder + folder_id + kFolderSettingsName;
}

}  // namespace tandrel
