// Watches the modal windows of the plug-in on the host's user-interface
// thread: a CBT hook notes each dialog made and destroyed there (the host's
// own rules dialog left out), and the plug-in's import of MessageBoxA is
// pointed at a wrapper that notes the text and style of each message box and
// logs its answer. The scenario driver reads what was noted from its thread.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tandrel::testhost {

struct WatchedWindow {
    HWND window = nullptr;
    bool message_box = false;
    std::string text;  // of a message box
    unsigned style = 0;
    bool handled = false;  // the driver has taken it on
};

// Installs the hook on `ui_thread`; false if it cannot.
bool StartWatchingWindows(DWORD ui_thread);
void StopWatchingWindows();

// Points `plugin`'s import of MessageBoxA at the wrapper; false if the
// plug-in imports no MessageBoxA.
bool WatchMessageBoxes(HMODULE plugin);

// The most recently made window still alive, if any.
std::optional<WatchedWindow> TopWindow();
bool IsAlive(HWND window);
void MarkHandled(HWND window);

// Every window still alive, the most recent first.
std::vector<HWND> LiveWindows();

}  // namespace tandrel::testhost
