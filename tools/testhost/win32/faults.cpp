#include "testhost/win32/faults.h"

#include <commctrl.h>

#include "testhost/win32/host_state.h"
#include "testhost/win32/plugin_imports.h"

namespace tandrel::testhost {

namespace {

using GetWindowTextFn = int(WINAPI*)(HWND, LPSTR, int);
using SendMessageFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

GetWindowTextFn real_get_window_text = nullptr;
SendMessageFn real_send_message = nullptr;
UINT dropped_message = 0;
WPARAM dropped_command = 0;

// The plug-in reads the host's rules dialog as untitled, so it never knows it.
int WINAPI GetWindowTextMissingRules(HWND window, LPSTR buffer, int size) {
    if (window == Host().rules_dialog && buffer != nullptr && size > 0) {
        buffer[0] = '\0';
        return 0;
    }
    return real_get_window_text(window, buffer, size);
}

LRESULT WINAPI SendMessageDropping(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == dropped_message &&
        (dropped_message != WM_COMMAND || LOWORD(wparam) == dropped_command)) {
        return 0;
    }
    return real_send_message(window, message, wparam, lparam);
}

bool DropSentMessage(HMODULE plugin, UINT message, WPARAM command) {
    dropped_message = message;
    dropped_command = command;
    real_send_message = reinterpret_cast<SendMessageFn>(ReplaceImport(
        plugin, "user32.dll", "SendMessageA", reinterpret_cast<void*>(SendMessageDropping)));
    return real_send_message != nullptr;
}

}  // namespace

bool InjectFault(HMODULE plugin, const std::string& fault) {
    if (fault == "rules-unrecognised") {
        real_get_window_text = reinterpret_cast<GetWindowTextFn>(
            ReplaceImport(plugin, "user32.dll", "GetWindowTextA",
                          reinterpret_cast<void*>(GetWindowTextMissingRules)));
        return real_get_window_text != nullptr;
    }
    if (fault == "no-reload") {
        return DropSentMessage(plugin, WM_COMMAND, kOpenRulesCommand);
    }
    if (fault == "tree-sequence") {
        return DropSentMessage(plugin, TVM_ENDEDITLABELNOW, 0);
    }
    if (fault == "no-tree-activation") {
        return DropSentMessage(plugin, WM_MOUSEACTIVATE, 0);
    }
    return false;
}

}  // namespace tandrel::testhost
