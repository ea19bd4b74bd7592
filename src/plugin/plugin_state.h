// The process-wide state of the plug-in, kept in this one place: made at
// attach or at the first callback, alive until the process ends.
#pragma once

#include <windows.h>

#include <commctrl.h>  // after windows.h, which it needs

#include <string>

#include "platform/win32/host_api.h"
#include "settings/plugin_info.h"
#include "settings/settings.h"

namespace tandrel::win32 {

struct PluginState {
    HINSTANCE instance = nullptr;
    HostApi api;
    std::string module_path;
    std::string settings_path;
    Settings settings;
    PluginInfo info;
    bool japanese_host = false;
    HIMAGELIST group_images = nullptr;
    bool started_up = false;  // the one-time start-up has run

    HWND main_window = nullptr;
    HWND folder_tree = nullptr;

    // The rule reload.
    HHOOK hook = nullptr;
    int close_rules_command = 0;
    bool reload_armed = false;
    HWND hidden_rules_window = nullptr;
};

PluginState& State();

// What is not safe under the loader lock: the settings, the version
// resources, the image list. Runs once, from the first callback.
void EnsureStartedUp();

}  // namespace tandrel::win32
