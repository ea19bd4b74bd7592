#include "testhost/win32/plugin.h"

#include "testhost/win32/window_watch.h"

namespace tandrel::testhost {

namespace {

template <typename Fn>
bool Find(HMODULE module, const char* name, Fn& function, std::string& error) {
    function = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (function == nullptr) {
        error = std::string("the plug-in exports no ") + name;
        return false;
    }
    return true;
}

}  // namespace

bool LoadPlugin(const std::string& path, Plugin& plugin, std::string& error) {
    plugin.module = LoadLibraryA(path.c_str());
    if (plugin.module == nullptr) {
        error =
            "the plug-in did not load: " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    if (!Find(plugin.module, "BKC_OnStart", plugin.on_start, error) ||
        !Find(plugin.module, "BKC_OnExit", plugin.on_exit, error) ||
        !Find(plugin.module, "BKC_OnPlugInSetup", plugin.on_plugin_setup, error) ||
        !Find(plugin.module, "BKC_OnPlugInInfo", plugin.on_plugin_info, error) ||
        !Find(plugin.module, "BKC_OnDragDrop", plugin.on_drag_drop, error)) {
        return false;
    }
    if (!WatchMessageBoxes(plugin.module)) {
        error = "the plug-in imports no MessageBoxA to watch";
        return false;
    }
    return true;
}

}  // namespace tandrel::testhost
