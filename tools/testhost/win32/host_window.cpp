#include "testhost/win32/host_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "mail/message_file.h"
#include "platform/win32/system_code_page.h"
#include "testhost/win32/host_state.h"
#include "testhost/win32/host_work.h"
#include "testhost/win32/rules_dialog.h"
#include "text/characters.h"

namespace tandrel::testhost {

namespace {

constexpr const char* kWindowClass = "TandrelTestHostWindow";
constexpr int kMessageListId = 1001;
constexpr int kMessageViewId = 1002;

constexpr UINT_PTR kSyncTimer = 1;

// A mail client's message view shows the main fields of the header, each on
// one line up to a width: not a thousand folded lines of To, nor a 64 KB
// subject laid out in full, which would cost the host seconds that are not
// the plug-in's.
constexpr std::size_t kShownLineLength = 998;

std::string ShownLine(const std::string& line) {
    return line.size() <= kShownLineLength ? line : line.substr(0, kShownLineLength) + "...";
}

std::string ShownHeader(const std::string& header) {
    std::string shown;
    for (const char* name : {"From", "To", "Cc", "Subject", "Date"}) {
        std::string value = FieldOf(header, name);
        if (value.empty()) {
            continue;
        }
        value.erase(std::remove_if(value.begin(), value.end(),
                                   [](char c) { return c == '\r' || c == '\n'; }),
                    value.end());
        shown += ShownLine(std::string(name) + ": " + value) + "\r\n";
    }
    return shown;
}

WNDPROC original_tree_proc = nullptr;
SyncHandler sync_handler;
WPARAM pending_sync = 0;  // a request asked again from the timer

std::string LastName(const std::string& folder_id) {
    std::string path = folder_id;
    if (EndsWithCharacter(path, '\\', win32::IsSystemLeadByte)) {
        path.pop_back();
    }
    const auto slash = FindLastCharacter(path, '\\', win32::IsSystemLeadByte);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

HTREEITEM InsertFolderItem(HTREEITEM parent, const std::string& folder_id,
                           const std::string& text) {
    HostState& host = Host();
    host.tree_folders.push_back(folder_id);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    insert.item.pszText = buffer.data();
    insert.item.lParam = static_cast<LPARAM>(host.tree_folders.size() - 1);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(host.folder_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Directories below `folder_id` (a mailbox or a folder), in name order.
std::vector<std::string> ChildFolders(const std::string& folder_id) {
    HostState& host = Host();
    std::vector<FolderEntry> entries;
    std::vector<std::string> names;
    if (host.files.ListFolder(host.model->data_folder() + folder_id + "*", entries)) {
        for (const FolderEntry& entry : entries) {
            if (entry.is_directory && entry.name != "." && entry.name != "..") {
                names.push_back(entry.name);
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void FillFolders(HTREEITEM parent, const std::string& folder_id) {
    for (const std::string& name : ChildFolders(folder_id)) {
        const std::string child = folder_id + name + "\\";
        FillFolders(InsertFolderItem(parent, child, Host().model->FolderDisplayName(child)), child);
    }
}

void FillTree() {
    for (const std::string& mailbox : ChildFolders("")) {
        if (mailbox == "AddrBook") {
            continue;
        }
        const std::string id = mailbox + "\\";
        HTREEITEM item = InsertFolderItem(TVI_ROOT, id, mailbox);
        FillFolders(item, id);
        SendMessageA(Host().folder_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
}

LPARAM ItemParam(HTREEITEM item) {
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_PARAM;
    data.hItem = item;
    SendMessageA(Host().folder_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return data.lParam;
}

HTREEITEM FindItem(HTREEITEM first, const std::string& folder_id) {
    HWND tree = Host().folder_tree;
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        const auto index = static_cast<std::size_t>(ItemParam(item));
        if (index < Host().tree_folders.size() && Host().tree_folders[index] == folder_id) {
            return item;
        }
        if (HTREEITEM found = FindItem(TreeView_GetChild(tree, item), folder_id)) {
            return found;
        }
    }
    return nullptr;
}

void SetItemText(HTREEITEM item, const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer.data();
    SendMessageA(Host().folder_tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

void FillMessageList() {
    HostState& host = Host();
    SendMessageA(host.message_list, LB_RESETCONTENT, 0, 0);
    std::string message_id;
    for (int at = host.model->NextMail(-1, message_id); at >= 0;
         at = host.model->NextMail(at, message_id)) {
        // Names only: a mail client fills its list without reading every header.
        const std::string line = message_id.substr(message_id.find('?') + 1) + "  ";
        SendMessageA(host.message_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

// 32804: "New Folder" below the current folder, selected, its label open.
void AddNewFolder() {
    HostState& host = Host();
    if (!host.tree_active) {
        ReportProblem("the new-folder command came while the folder tree was not the active pane");
        return;
    }
    HTREEITEM parent = FindItem(TreeView_GetRoot(host.folder_tree), host.model->folder());
    if (parent == nullptr) {
        ReportProblem("the new-folder command came for a folder not in the tree: " +
                      host.model->folder());
        return;
    }
    const std::string id = host.model->CreateNewFolder();
    HTREEITEM item = InsertFolderItem(parent, id, LastName(id));
    host.new_folder_item = item;
    SendMessageA(host.folder_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    SendMessageA(host.folder_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SetFocus(host.folder_tree);
    SendMessageA(host.folder_tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
}

// The end of a label edit. The tree's own (when its editor closes) renames
// only a changed name; the plug-in's (id 0) must come after the editor has
// closed and name the new folder's item as the tree holds it.
LRESULT EndLabelEdit(const NMTVDISPINFOA& info) {
    HostState& host = Host();
    const bool from_tree = info.hdr.idFrom == static_cast<UINT_PTR>(kFolderTreeId);
    if (info.item.pszText == nullptr) {
        return FALSE;  // editing cancelled
    }
    const std::string text = info.item.pszText;
    if (!from_tree) {
        if (SendMessageA(host.folder_tree, TVM_GETEDITCONTROL, 0, 0) != 0) {
            ReportProblem("the end-of-editing notification came while the label editor was open");
        }
        if (info.item.hItem != host.new_folder_item ||
            info.item.hItem != TreeView_GetSelection(host.folder_tree)) {
            ReportProblem("the end-of-editing notification names another item than the new folder");
            return FALSE;
        }
        if ((info.item.mask & (TVIF_TEXT | TVIF_PARAM)) != (TVIF_TEXT | TVIF_PARAM) ||
            info.item.lParam != ItemParam(info.item.hItem)) {
            ReportProblem("the end-of-editing notification lacks the item's text or value");
            return FALSE;
        }
    }
    const auto index = static_cast<std::size_t>(ItemParam(info.item.hItem));
    if (index >= host.tree_folders.size()) {
        return FALSE;
    }
    std::string& folder_id = host.tree_folders[index];
    if (from_tree && text == LastName(folder_id)) {
        return TRUE;
    }
    folder_id = host.model->RenameFolder(folder_id, text);
    SetItemText(info.item.hItem, LastName(folder_id));
    return from_tree ? TRUE : FALSE;
}

LRESULT RunCommand(HWND window, WORD command, LPARAM value) {
    HostState& host = Host();
    // The host's own commands are its work; a registered one is the plug-in's.
    std::optional<HostWorkScope> work;
    if (command < kFirstRegisteredCommand) {
        work.emplace();
    }
    switch (command) {
        case kOpenRulesCommand:
            RunRulesDialog(window);
            return 0;
        case kNewFolderCommand:
            AddNewFolder();
            return 0;
        case kRunRulesCommand:
            host.model->RunRulesOnSelection();
            FillMessageList();
            return 0;
        case kSortByDateCommand:
            host.model->SortByDate();
            return 0;
        default:
            break;
    }
    const int index = command - kFirstRegisteredCommand;
    if (index >= 0 && index < static_cast<int>(host.commands.size())) {
        return host.commands[static_cast<std::size_t>(index)].handler(window, value);
    }
    return 0;
}

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int tree_width = width / 3;
    HostState& host = Host();
    MoveWindow(host.folder_tree, 0, 0, tree_width, height, TRUE);
    MoveWindow(host.message_list, tree_width, 0, width - tree_width, height / 2, TRUE);
    MoveWindow(host.message_view, tree_width, height / 2, width - tree_width, height - height / 2,
               TRUE);
}

LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_MOUSEACTIVATE && reinterpret_cast<HWND>(wparam) == Host().main_window) {
        Host().tree_active = true;
    }
    return CallWindowProcA(original_tree_proc, window, message, wparam, lparam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            // Commands come without a window; the panes' notifications with one.
            if (lparam != 0 && GetParent(reinterpret_cast<HWND>(lparam)) == window) {
                return 0;
            }
            return RunCommand(window, LOWORD(wparam), lparam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header->hwndFrom == Host().folder_tree && header->code == TVN_ENDLABELEDITA) {
                const HostWorkScope work;
                return EndLabelEdit(*reinterpret_cast<const NMTVDISPINFOA*>(lparam));
            }
            if (header->code == TVN_ENDLABELEDITA) {
                ReportProblem("an end-of-editing notification came from another window");
            }
            return 0;
        }
        case WM_SIZE:
            Layout(window);
            return 0;
        case kRunOnUiThread: {
            auto* call = reinterpret_cast<std::function<void()>*>(lparam);
            (*call)();
            delete call;
            return 0;
        }
        case kSyncRequest:
            if (sync_handler && !sync_handler(wparam)) {
                pending_sync = wparam;
                SetTimer(window, kSyncTimer, 10, nullptr);
            }
            return 0;
        case WM_TIMER:
            if (wparam == kSyncTimer && sync_handler && sync_handler(pending_sync)) {
                KillTimer(window, kSyncTimer);
            }
            return 0;
        case kDriverDone:
            PostQuitMessage(0);
            return 0;
        case WM_CLOSE:
            return 0;  // the scenario ends the host, not a click
        default:
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace

bool CreateHostWindows(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = MainWindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    if (RegisterClassExA(&window_class) == 0) {
        return false;
    }
    HostState& host = Host();
    host.main_window =
        CreateWindowExA(0, kWindowClass, "Mail - Tandrel test host", WS_OVERLAPPEDWINDOW, 0, 0, 760,
                        520, nullptr, nullptr, instance, nullptr);
    if (host.main_window == nullptr) {
        return false;
    }
    const auto child_id = [](int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); };
    host.folder_tree =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT |
                            TVS_HASBUTTONS | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                        0, 0, 0, 0, host.main_window, child_id(kFolderTreeId), instance, nullptr);
    host.message_list =
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                        0, 0, 0, 0, host.main_window, child_id(kMessageListId), instance, nullptr);
    host.message_view =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                            ES_AUTOHSCROLL | ES_READONLY,
                        0, 0, 0, 0, host.main_window, child_id(kMessageViewId), instance, nullptr);
    if (host.folder_tree == nullptr || host.message_list == nullptr ||
        host.message_view == nullptr) {
        return false;
    }
    original_tree_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host.folder_tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
    FillTree();
    Layout(host.main_window);
    ShowWindow(host.main_window, SW_SHOW);
    if (HTREEITEM current = FindItem(TreeView_GetRoot(host.folder_tree), host.model->folder())) {
        SendMessageA(host.folder_tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(current));
    }
    FillMessageList();
    return true;
}

void ShowFolder(const std::string& folder_id) {
    HostState& host = Host();
    host.model->SetCurrentFolder(folder_id);
    if (HTREEITEM item = FindItem(TreeView_GetRoot(host.folder_tree), folder_id)) {
        SendMessageA(host.folder_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    FillMessageList();
}

void ShowMail(const std::string& message_id) {
    HostState& host = Host();
    host.model->SetCurrentMail(message_id);
    SetWindowTextA(host.message_view, ShownHeader(host.model->HeaderBlock(message_id)).c_str());
}

void SelectMail(const std::string& message_id) {
    HostState& host = Host();
    host.model->AddToSelection(message_id);
    const std::string name = message_id.substr(message_id.find('?') + 1) + "  ";
    const LRESULT index = SendMessageA(host.message_list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name.c_str()));
    if (index != LB_ERR) {
        SendMessageA(host.message_list, LB_SETSEL, TRUE, index);
    }
}

void SetSyncHandler(SyncHandler handler) {
    sync_handler = std::move(handler);
}

}  // namespace tandrel::testhost
