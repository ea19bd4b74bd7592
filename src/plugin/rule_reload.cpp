#include "plugin/rule_reload.h"

#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_host.h"

namespace tandrel::win32 {

namespace {

LRESULT CALLBACK ReloadHookProc(int code, WPARAM wparam, LPARAM lparam) {
    PluginState& state = State();
    if (code < 0) {
        return CallNextHookEx(state.hook, code, wparam, lparam);
    }
    try {
        if (state.reload_armed && code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wparam);
            if (WindowText(window) == RulesDialogTitle(state.japanese_host)) {
                state.reload_armed = false;
                SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_HIDEWINDOW);
                state.hidden_rules_window = window;
                PostMessageA(state.main_window, WM_COMMAND,
                             static_cast<WPARAM>(state.close_rules_command), 0);
            }
        }
    } catch (...) {
        // Never unwind into the system's frames.
    }
    return CallNextHookEx(state.hook, code, wparam, lparam);
}

LRESULT WINAPI OnCloseRulesCommand(HWND window, LPARAM /*value*/) {
    PluginState& state = State();
    SetActiveWindow(window);
    return SendDlgItemMessageA(state.hidden_rules_window, IDOK, BM_CLICK, 0, 0);
}

}  // namespace

const char* RulesDialogTitle(bool japanese_host) {
    return japanese_host ? "\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xD6\x82\xCC\x90\x55\x82\xE8\x95"
                           "\xAA\x82\xAF\x83\x8B\x81\x5B\x83\x8B"
                         : "Sorting Rules for This Folder";
}

void StartRuleReload(PluginState& state) {
    const DWORD thread = GetWindowThreadProcessId(state.main_window, nullptr);
    state.hook = SetWindowsHookExA(WH_CBT, ReloadHookProc, state.instance, thread);
    state.close_rules_command = state.api.Get<RegisterCommandFn>(HostFunction::RegisterCommand)(
        "Close FilterMgr For Tandrel", 0, OnCloseRulesCommand);
}

void StopRuleReload(PluginState& state) {
    if (state.hook != nullptr) {
        UnhookWindowsHookEx(state.hook);
        state.hook = nullptr;
    }
}

void RequestRuleReloadFromHost(PluginState& state) {
    state.reload_armed = true;
    SendMessageA(state.main_window, WM_COMMAND, kOpenRulesCommand, 0);
}

}  // namespace tandrel::win32
