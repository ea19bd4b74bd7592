#include "testhost/win32/window_watch.h"

#include <vector>

#include "testhost/scenario/dialog_steps.h"
#include "testhost/win32/host_state.h"
#include "testhost/win32/plugin_imports.h"

namespace tandrel::testhost {

namespace {

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

// Shared by the user-interface thread (the hook, the wrapper) and the driver.
struct Watch {
    CRITICAL_SECTION lock;
    std::vector<WatchedWindow> windows;
    bool in_message_box = false;
    std::string message_text;
    unsigned message_style = 0;
    HHOOK hook = nullptr;
    MessageBoxFn real_message_box = nullptr;

    Watch() { InitializeCriticalSection(&lock); }
};

Watch& TheWatch() {
    static Watch watch;
    return watch;
}

class Locked {
  public:
    Locked() { EnterCriticalSection(&TheWatch().lock); }
    ~Locked() { LeaveCriticalSection(&TheWatch().lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

bool IsDialogWindow(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

LRESULT CALLBACK WatchProc(int code, WPARAM wparam, LPARAM lparam) {
    Watch& watch = TheWatch();
    auto* window = reinterpret_cast<HWND>(wparam);
    if (code == HCBT_CREATEWND && IsDialogWindow(window) && !Host().creating_rules_dialog) {
        Locked locked;
        WatchedWindow made;
        made.window = window;
        made.message_box = watch.in_message_box;
        made.text = watch.message_text;
        made.style = watch.message_style;
        watch.windows.push_back(made);
    } else if (code == HCBT_DESTROYWND) {
        Locked locked;
        for (auto at = watch.windows.begin(); at != watch.windows.end(); ++at) {
            if (at->window == window) {
                watch.windows.erase(at);
                break;
            }
        }
    }
    return CallNextHookEx(watch.hook, code, wparam, lparam);
}

int WINAPI WatchedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    Watch& watch = TheWatch();
    {
        Locked locked;
        watch.in_message_box = true;
        watch.message_text = text != nullptr ? text : "";
        watch.message_style = style;
    }
    const int answer = watch.real_message_box(owner, text, caption, style);
    std::string shown;
    {
        Locked locked;
        watch.in_message_box = false;
        shown = watch.message_text;
    }
    Host().model->Log(MessageLogLine(shown, style, answer));
    return answer;
}

}  // namespace

bool StartWatchingWindows(DWORD ui_thread) {
    TheWatch().hook = SetWindowsHookExA(WH_CBT, WatchProc, nullptr, ui_thread);
    return TheWatch().hook != nullptr;
}

void StopWatchingWindows() {
    if (TheWatch().hook != nullptr) {
        UnhookWindowsHookEx(TheWatch().hook);
        TheWatch().hook = nullptr;
    }
}

bool WatchMessageBoxes(HMODULE plugin) {
    void* real = ReplaceImport(plugin, "user32.dll", "MessageBoxA",
                               reinterpret_cast<void*>(WatchedMessageBox));
    TheWatch().real_message_box = reinterpret_cast<MessageBoxFn>(real);
    return real != nullptr;
}

std::optional<WatchedWindow> TopWindow() {
    Locked locked;
    if (TheWatch().windows.empty()) {
        return std::nullopt;
    }
    return TheWatch().windows.back();
}

bool IsAlive(HWND window) {
    Locked locked;
    for (const WatchedWindow& watched : TheWatch().windows) {
        if (watched.window == window) {
            return true;
        }
    }
    return false;
}

void MarkHandled(HWND window) {
    Locked locked;
    for (WatchedWindow& watched : TheWatch().windows) {
        if (watched.window == window) {
            watched.handled = true;
        }
    }
}

std::vector<HWND> LiveWindows() {
    Locked locked;
    std::vector<HWND> live;
    for (auto at = TheWatch().windows.rbegin(); at != TheWatch().windows.rend(); ++at) {
        live.push_back(at->window);
    }
    return live;
}

}  // namespace tandrel::testhost
