// floor_plugin.dll: the window floor of the UI benchmark. The Windows test
// host loads it in place of the plug-in (--plugin). Its drop and its set-up
// open the plug-in's own dialog templates, from the DLL named by
// TANDREL_FLOOR_TEMPLATES, with a procedure that does nothing but close on
// OK or Cancel. A scenario over it times, under the same host and the same
// driver, the window work that no dialog procedure can avoid.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/host_api.h"
#include "resources/resource.h"

namespace {

HMODULE templates = nullptr;
HWND main_window = nullptr;  // the host's, as the plug-in owns its dialogs

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

void OpenTemplate(int template_id, HWND owner) {
    if (templates == nullptr) {
        MessageBoxA(owner, "TANDREL_FLOOR_TEMPLATES names no DLL with the dialog templates",
                    "Floor", MB_OK | MB_ICONERROR);
        return;
    }
    DialogBoxParamA(templates, MAKEINTRESOURCEA(template_id), owner, EmptyDialogProc, 0);
}

}  // namespace

#define FLOOR_EXPORT extern "C" __declspec(dllexport)

FLOOR_EXPORT int WINAPI BKC_OnStart() {
    const char* path = std::getenv("TANDREL_FLOOR_TEMPLATES");
    if (path != nullptr) {
        templates = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    auto get_handles = reinterpret_cast<tandrel::win32::GetWindowHandlesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "BKA_GetWindowHandles")));
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND view = nullptr;
    if (get_handles != nullptr) {
        get_handles(&main_window, &tree, &list, &view);
    }
    return 0;
}

FLOOR_EXPORT int WINAPI BKC_OnExit() {
    if (templates != nullptr) {
        FreeLibrary(templates);
    }
    return 0;
}

FLOOR_EXPORT int WINAPI BKC_OnPlugInSetup(HWND parent) {
    OpenTemplate(IDD_SETUP, parent);
    return 1;
}

FLOOR_EXPORT int WINAPI BKC_OnPlugInInfo(char* /*record*/) {
    return 0;
}

FLOOR_EXPORT int WINAPI BKC_OnDragDrop(LPCSTR /*target*/, LPCSTR /*source*/, DWORD /*reserved*/,
                                       DWORD /*effect*/) {
    OpenTemplate(IDD_RULE_ENTRY, main_window);
    return -1;
}
