// dll_probe Tandrel.dll: a minimal host that exports the 54 host names (as
// stubs), loads the plug-in, and prints what the plug-in reports of itself
// and how it answers a drop that names no message. Built a second time with
// one host name missing, to show that the load then fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/host_api.h"

#ifdef TANDREL_PROBE_WITHOUT_CONNECT
#define BKA_Connect BKA_ConnectIsMissing
#endif

// Stubs only: the plug-in calls none of them on the probe's way.
#define TANDREL_PROBE_STUB(name)                               \
    extern "C" __declspec(dllexport) int WINAPI BKA_##name() { \
        return 0;                                              \
    }
TANDREL_HOST_FUNCTIONS(TANDREL_PROBE_STUB)
#undef TANDREL_PROBE_STUB

using PlugInInfoFn = int(WINAPI*)(char* record);
using PlugInSetupFn = int(WINAPI*)(HWND parent);

namespace {

// Waits for the Setup dialog, leaves it shown for `seconds` (for a
// screenshot), then cancels it as a user would.
DWORD WINAPI CancelSetupLater(LPVOID seconds) {
    for (int i = 0; i < 200; ++i) {
        if (HWND dialog = FindWindowA(nullptr, "Tandrel Setup")) {
            std::printf("setup dialog open\n");
            std::fflush(stdout);
            Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(seconds)) * 1000);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

}  // namespace
using DragDropFn = int(WINAPI*)(LPCSTR target, LPCSTR source, DWORD reserved, DWORD effect);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dll_probe Tandrel.dll\n");
        return 2;
    }
    HMODULE plugin = LoadLibraryA(argv[1]);
    if (plugin == nullptr) {
        std::printf("load failed\n");
        return 3;
    }
    auto info = reinterpret_cast<PlugInInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "BKC_OnPlugInInfo")));
    auto drop = reinterpret_cast<DragDropFn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, "BKC_OnDragDrop")));
    if (info == nullptr || drop == nullptr) {
        std::printf("missing export\n");
        return 4;
    }
    using tandrel::win32::kInfoFieldSize;
    char record[tandrel::win32::kInfoRecordSize] = {};
    info(record);
    std::printf("name: %s\nvendor: %s\nversion: %s\ndescription: %s\n", record,
                record + kInfoFieldSize, record + 2 * kInfoFieldSize, record + 3 * kInfoFieldSize);
    std::printf("drop without message: %d\n", drop("Main\\Work\\", "no message here", 0, 4));
    if (argc >= 3 && std::string(argv[2]) == "setup") {
        auto setup = reinterpret_cast<PlugInSetupFn>(
            reinterpret_cast<void*>(GetProcAddress(plugin, "BKC_OnPlugInSetup")));
        const INT_PTR seconds = argc >= 4 ? std::atoi(argv[3]) : 0;
        CloseHandle(CreateThread(nullptr, 0, CancelSetupLater, reinterpret_cast<LPVOID>(seconds), 0,
                                 nullptr));
        std::printf("setup: %d\n", setup(nullptr));
    }
    return 0;
}
