// The test host's process-wide state, kept in this one place: the host model,
// its windows, the registered commands and what the plug-in was last handed.
// Touched on the user-interface thread only, except where a member says so.
#pragma once

#include <windows.h>

#include <commctrl.h>  // after windows.h, which it needs

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/host_api.h"
#include "platform/win32/win32_files.h"
#include "testhost/model/host_model.h"

namespace tandrel::testhost {

// The host's own commands are those of the host interface header; the
// commands the plug-in registers are numbered from here.
using win32::kNewFolderCommand;
using win32::kOpenRulesCommand;
using win32::kRunRulesCommand;
using win32::kSortByDateCommand;
constexpr WORD kFirstRegisteredCommand = 40001;

// The folder tree's control id; the plug-in's own end-of-editing
// notification carries 0, the tree's carries this.
constexpr int kFolderTreeId = 1000;

struct RegisteredCommand {
    std::string name;
    win32::CommandHandler handler;
};

struct HostState {
    Win32Files files;
    std::unique_ptr<HostModel> model;
    bool japanese = false;  // built with the Japanese version block

    HWND main_window = nullptr;
    HWND folder_tree = nullptr;
    HWND message_list = nullptr;
    HWND message_view = nullptr;

    std::vector<RegisteredCommand> commands;
    std::vector<std::string> tree_folders;  // folder id of each tree item's lParam

    bool tree_active = false;             // the folder tree was activated by the mouse
    bool creating_rules_dialog = false;   // the next dialog made is the host's own
    HWND rules_dialog = nullptr;          // the host's rules dialog while it is open
    HTREEITEM new_folder_item = nullptr;  // the item of the last new folder
    std::vector<std::string> problems;    // protocol faults the host saw

    // Texts handed to the plug-in stay valid until the next call of the same
    // function.
    std::string returned_data_folder;
    std::string returned_temp_folder;
    std::string returned_temp_name;
    std::string returned_mailbox;
    std::string returned_folder;
    std::string returned_display_name;
    std::string returned_header;
};

HostState& Host();

// A protocol fault of the plug-in: logged and kept, and it fails the run.
void ReportProblem(const std::string& what);

}  // namespace tandrel::testhost
