// The plug-in as the test host loads it: the library and the callbacks the
// scenarios call.
#pragma once

#include <windows.h>

#include <string>

namespace tandrel::testhost {

struct Plugin {
    HMODULE module = nullptr;
    int(WINAPI* on_start)() = nullptr;
    int(WINAPI* on_exit)() = nullptr;
    int(WINAPI* on_plugin_setup)(HWND parent) = nullptr;
    int(WINAPI* on_plugin_info)(char* record) = nullptr;
    int(WINAPI* on_drag_drop)(LPCSTR target, LPCSTR source, DWORD reserved, DWORD effect) = nullptr;
};

// Loads the library at `path` and finds its callbacks; on failure says why
// in `error`.
bool LoadPlugin(const std::string& path, Plugin& plugin, std::string& error);

}  // namespace tandrel::testhost
