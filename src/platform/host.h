// Host port: what the core asks of the host mail client. The Win32 adapter
// calls the host's exported functions and sends its menu commands; the test
// host model answers natively.
#pragma once

#include <string>

#include "platform/temp_names.h"

namespace tandrel {

class Host : public TempNames {
  public:
    // Texts ending with "\": the data folder (absolute) and the current
    // mailbox and folder (relative to it).
    virtual std::string DataFolder() = 0;
    virtual std::string CurrentMailbox() = 0;
    virtual std::string CurrentFolder() = 0;
    virtual void SetCurrentFolder(const std::string& folder_id) = 0;
    virtual std::string FolderDisplayName(const std::string& folder_id) = 0;

    virtual void SetCurrentMail(const std::string& message_id) = 0;
    // The header block of a message, lines ending CR LF.
    virtual std::string Header(const std::string& message_id) = 0;
    // One header of the current message, empty when it has none; the host
    // cuts it to `size` - 1 characters.
    virtual std::string SpecifiedHeader(const std::string& name, int size) = 0;
    // The message after `position` (-1: the first) in the current folder:
    // its position, or -1 after the last; `message_id` receives it.
    virtual int NextMail(int position, std::string& message_id) = 0;
    // Adds a message to the selection of the current folder.
    virtual void AddToSelection(const std::string& message_id) = 0;

    // Host commands on the current folder: run the sorting rules over its
    // selection, sort it by date.
    virtual void RunRulesOnSelection() = 0;
    virtual void SortByDate() = 0;

    // Makes the host take the rule files on disk into use; returns when it has.
    virtual void RequestRuleReload() = 0;

    // Has the host create folder `name` below `parent_id` through its own
    // folder tree; afterwards `parent_id` is the current folder.
    virtual void CreateSubfolder(const std::string& parent_id, const std::string& name) = 0;
};

}  // namespace tandrel
