#include "plugin/dialog_procs.h"

#include <memory>

#include "entry/address_group_presenter.h"
#include "entry/rule_entry_presenter.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/win32_charsets.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_strings.h"
#include "platform/win32/win32_tree.h"
#include "plugin/plugin_state.h"
#include "plugin/rule_reload.h"
#include "resources/resource.h"
#include "settings/drop_gating.h"
#include "setup/check_presenter.h"
#include "setup/rule_history_presenter.h"
#include "setup/setup_presenter.h"

namespace tandrel::win32 {

namespace {

// The host as the adapters reach it, from the process-wide state.
HostConnection ConnectionOf(PluginState& state) {
    return {&state.api, state.main_window, state.folder_tree,
            [&state] { RequestRuleReloadFromHost(state); }};
}

Win32Dialog DialogOf(HWND window) {
    return Win32Dialog(window, State().instance, DialogProcFor);
}

// The adapters of one open dialog, made once from its window; each dialog
// kind hands its presenter's context the ones it needs.
struct Win32Ports {
    explicit Win32Ports(HWND window)
        : dialog(DialogOf(window)), host(ConnectionOf(State())), strings(State().instance) {}
    Win32Dialog dialog;
    Win32Host host;
    Win32Files files;
    Win32Profile profile;
    Win32Strings strings;
    Win32Charsets charsets;
};

// What one open dialog works with: its adapters, its context and its
// presenter. Each is made from the window and the dialog's creation value:
// the drop for the Rule entry dialog, the group choice for the Address group
// dialog.
struct RuleEntryWindow {
    RuleEntryWindow(HWND window, LPARAM creation)
        : ports(window),
          context{ports.host,
                  ports.files,
                  ports.profile,
                  ports.strings,
                  State().settings,
                  reinterpret_cast<const Drop*>(creation)->target,
                  reinterpret_cast<const Drop*>(creation)->source,
                  IsSystemLeadByte,
                  &ports.charsets},
          presenter(ports.dialog, context) {}
    Win32Ports ports;
    RuleEntryContext context;
    RuleEntryPresenter presenter;
};

struct SetupWindow {
    SetupWindow(HWND window, LPARAM /*creation*/)
        : ports(window),
          context{ports.profile, State().settings_path, State().settings, ports.strings,
                  State().info},
          presenter(ports.dialog, context) {}
    Win32Ports ports;
    SetupContext context;
    SetupPresenter presenter;
};

struct RuleHistoryWindow {
    RuleHistoryWindow(HWND window, LPARAM /*creation*/)
        : ports(window),
          context{ports.host, ports.files, ports.strings},
          presenter(ports.dialog, context) {}
    Win32Ports ports;
    RuleHistoryContext context;
    RuleHistoryPresenter presenter;
};

struct CheckWindow {
    CheckWindow(HWND window, LPARAM /*creation*/)
        : ports(window),
          context{ports.host, ports.files, ports.profile, ports.strings, IsSystemLeadByte},
          presenter(ports.dialog, context) {}
    Win32Ports ports;
    CheckContext context;
    CheckPresenter presenter;
};

struct AddressGroupWindow {
    AddressGroupWindow(HWND window, LPARAM creation)
        : ports(window),
          tree(GetDlgItem(window, IDC_GROUP_TREE)),
          context{ports.files,
                  ports.profile,
                  ports.strings,
                  ports.host.DataFolder(),
                  *reinterpret_cast<GroupChoice*>(creation),
                  IsSystemLeadByte},
          presenter(ports.dialog, tree, context) {}
    Win32Ports ports;
    Win32Tree tree;
    AddressGroupContext context;
    AddressGroupPresenter presenter;
};

// Notifications of a dialog's common controls; only the group tree's opening
// of an item is asked for.
template <typename Window>
void OnNotify(Window& /*window*/, const NMHDR& /*header*/) {}

void OnNotify(AddressGroupWindow& window, const NMHDR& header) {
    // An ANSI tree may still notify in Unicode; the item sits in the same place.
    if (header.idFrom != IDC_GROUP_TREE ||
        (header.code != TVN_ITEMEXPANDINGA && header.code != TVN_ITEMEXPANDINGW)) {
        return;
    }
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    if ((change.action & TVE_EXPAND) != 0) {
        window.presenter.OnItemExpanding(reinterpret_cast<TreeItem>(change.itemNew.hItem));
    }
}

// Timers: only the Rule entry dialog's count of matching mail runs one.
template <typename Window>
void OnTimer(Window& /*window*/, WPARAM /*id*/) {}

void OnTimer(RuleEntryWindow& window, WPARAM id) {
    window.presenter.OnTimer(static_cast<int>(id));
}

// Runs one dialog: the window object is made at WM_INITDIALOG, kept in the
// window's user data and freed at WM_NCDESTROY. Nothing may unwind out.
template <typename Window>
INT_PTR Dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam, void (*init)(Window&)) {
    try {
        auto* open = reinterpret_cast<Window*>(GetWindowLongPtrA(window, DWLP_USER));
        switch (message) {
            case WM_INITDIALOG: {
                auto made = std::make_unique<Window>(window, lparam);
                init(*made);
                made->presenter.Init();
                SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(made.release()));
                return TRUE;
            }
            case WM_COMMAND:
                if (open == nullptr) {
                    return FALSE;
                }
                return open->presenter.OnCommand(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
            case WM_TIMER:
                if (open != nullptr) {
                    OnTimer(*open, wparam);
                }
                return TRUE;
            case WM_NOTIFY:
                if (open != nullptr && lparam != 0) {
                    OnNotify(*open, *reinterpret_cast<const NMHDR*>(lparam));
                }
                return FALSE;  // the control goes on as it would
            case WM_NCDESTROY:
                delete open;
                SetWindowLongPtrA(window, DWLP_USER, 0);
                return FALSE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

template <typename Window>
void NoInit(Window& /*window*/) {}
void AttachImages(AddressGroupWindow& window) {
    SendDlgItemMessageA(window.ports.dialog.window(), IDC_GROUP_TREE, TVM_SETIMAGELIST,
                        TVSIL_NORMAL, reinterpret_cast<LPARAM>(State().group_images));
}

}  // namespace

INT_PTR CALLBACK RuleEntryDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return Dispatch<RuleEntryWindow>(dialog, message, wparam, lparam, NoInit<RuleEntryWindow>);
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return Dispatch<SetupWindow>(dialog, message, wparam, lparam, NoInit<SetupWindow>);
}

INT_PTR CALLBACK AddressGroupDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return Dispatch<AddressGroupWindow>(dialog, message, wparam, lparam, AttachImages);
}

INT_PTR CALLBACK RuleHistoryDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return Dispatch<RuleHistoryWindow>(dialog, message, wparam, lparam, NoInit<RuleHistoryWindow>);
}

INT_PTR CALLBACK CheckDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    return Dispatch<CheckWindow>(dialog, message, wparam, lparam, NoInit<CheckWindow>);
}

DLGPROC DialogProcFor(int template_id) {
    switch (template_id) {
        case IDD_RULE_ENTRY:
            return RuleEntryDialogProc;
        case IDD_SETUP:
            return SetupDialogProc;
        case IDD_ADDRESS_GROUP:
            return AddressGroupDialogProc;
        case IDD_RULE_HISTORY:
            return RuleHistoryDialogProc;
        case IDD_CHECK:
            return CheckDialogProc;
        default:
            return nullptr;
    }
}

}  // namespace tandrel::win32
