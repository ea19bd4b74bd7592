// The library's entry point and its fifteen exported callbacks. Every export
// catches everything: no exception may unwind into the host.
#include <windows.h>

#include <cstring>

#include "platform/win32/system_code_page.h"
#include "plugin/dialog_procs.h"
#include "plugin/plugin_state.h"
#include "plugin/rule_reload.h"
#include "resources/resource.h"
#include "settings/drop_gating.h"

using tandrel::win32::EnsureStartedUp;
using tandrel::win32::kInfoFieldCount;
using tandrel::win32::kInfoFieldSize;
using tandrel::win32::PluginState;
using tandrel::win32::State;

namespace {

// Copies `text` into a fixed field of the host's record, cut to fit.
void CopyField(char* field, std::size_t size, const std::string& text) {
    const std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

bool IsKeyHeld(int virtual_key) {
    return (GetKeyState(virtual_key) & 0x8000) != 0;
}

}  // namespace

// Under the loader lock only what is safe there: the instance and the binding.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    PluginState& state = State();
    state.instance = instance;
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    return tandrel::win32::BindHostApi(state.api) ? TRUE : FALSE;
}

extern "C" {

int WINAPI BKC_OnStart() {
    try {
        EnsureStartedUp();
        PluginState& state = State();
        HWND list = nullptr;
        HWND view = nullptr;
        state.api.Get<tandrel::win32::GetWindowHandlesFn>(
            tandrel::win32::HostFunction::GetWindowHandles)(&state.main_window, &state.folder_tree,
                                                            &list, &view);
        tandrel::win32::StartRuleReload(state);
    } catch (...) {
    }
    return 0;
}

int WINAPI BKC_OnExit() {
    try {
        tandrel::win32::StopRuleReload(State());
    } catch (...) {
    }
    return 0;
}

int WINAPI BKC_OnMenuInit(HWND, HMENU, int) {
    return 0;
}
int WINAPI BKC_OnKeyDispatch(HWND, int, int) {
    return 0;
}
int WINAPI BKC_OnOpenFolder(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnOpenMail(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnSend(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnFinishRetrieve(int) {
    return 0;
}
int WINAPI BKC_OnEveryMinute() {
    return 0;
}
int WINAPI BKC_OnOpenCompose(HWND, int) {
    return 0;
}
int WINAPI BKC_OnOutgoing(HWND, int) {
    return 0;
}
int WINAPI BKC_OnRetrieve(LPCSTR, LPCSTR) {
    return 0;
}

int WINAPI BKC_OnPlugInSetup(HWND parent) {
    try {
        EnsureStartedUp();
        DialogBoxParamA(State().instance, MAKEINTRESOURCEA(IDD_SETUP), parent,
                        tandrel::win32::SetupDialogProc, 0);
    } catch (...) {
    }
    return 1;
}

int WINAPI BKC_OnPlugInInfo(char* record) {
    try {
        EnsureStartedUp();
        if (record != nullptr) {
            const tandrel::PluginInfo& info = State().info;
            const std::string* const fields[kInfoFieldCount] = {&info.name, &info.vendor,
                                                                &info.version, &info.description};
            for (int i = 0; i < kInfoFieldCount; ++i) {
                CopyField(record + i * kInfoFieldSize, kInfoFieldSize, *fields[i]);
            }
        }
    } catch (...) {
    }
    return 0;
}

int WINAPI BKC_OnDragDrop(LPCSTR target, LPCSTR source, DWORD /*reserved*/, DWORD effect) {
    try {
        EnsureStartedUp();
        PluginState& state = State();
        // The drop reaches the dialog through its creation value.
        tandrel::Drop drop{target != nullptr ? target : "", source != nullptr ? source : ""};
        const tandrel::DropDecision decision = tandrel::DecideDrop(
            state.settings, drop, static_cast<int>(effect),
            [](tandrel::DropKey key) {
                return IsKeyHeld(key == tandrel::DropKey::Ctrl ? VK_CONTROL : VK_SHIFT);
            },
            tandrel::win32::IsSystemLeadByte);
        if (decision == tandrel::DropDecision::Declined) {
            return 0;
        }
        if (decision == tandrel::DropDecision::OpensRuleEntry) {
            DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_RULE_ENTRY), state.main_window,
                            tandrel::win32::RuleEntryDialogProc, reinterpret_cast<LPARAM>(&drop));
        }
        return -1;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
