// The five dialog procedures. Each only translates window messages into
// calls of its dialog's presenter.
#pragma once

#include <windows.h>

namespace tandrel::win32 {

INT_PTR CALLBACK RuleEntryDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK AddressGroupDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK RuleHistoryDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK CheckDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The procedure of dialog template 101, 102, 104, 105 or 106.
DLGPROC DialogProcFor(int template_id);

}  // namespace tandrel::win32
