#include "platform/win32/win32_dialog.h"

#include <algorithm>

namespace tandrel::win32 {

namespace {

// A list box made with a horizontal scroll bar scrolls as far as its widest
// line (others ignore the width); one that held nothing before starts again
// from the lines added now.
void WidenToLongestLine(HWND list, const std::vector<std::string>& added, bool was_empty) {
    HDC context = GetDC(list);
    if (context == nullptr) {
        return;
    }
    const HGDIOBJ former =
        SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest =
        was_empty ? 0 : static_cast<LONG>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
    for (const std::string& text : added) {
        SIZE size{};
        if (GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &size)) {
            widest = std::max(widest, size.cx + 8);  // the item's own margins
        }
    }
    SelectObject(context, former);
    ReleaseDC(list, context);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

bool Win32Dialog::IsListBox(int id) const {
    char name[32] = {};
    GetClassNameA(GetDlgItem(window_, id), name, sizeof name);
    return lstrcmpiA(name, "ListBox") == 0;
}

std::string Win32Dialog::Title() {
    return WindowText(window_);
}
void Win32Dialog::SetTitle(const std::string& title) {
    SetWindowTextA(window_, title.c_str());
}
std::string Win32Dialog::Text(int id) {
    return WindowText(GetDlgItem(window_, id));
}
void Win32Dialog::SetText(int id, const std::string& text) {
    SetDlgItemTextA(window_, id, text.c_str());
}
// Measured as a static control draws its text: in its font, broken at words,
// tabs expanded; a word wider than the control, which it clips, does not fit.
bool Win32Dialog::TextFits(int id, const std::string& text) {
    HWND control = GetDlgItem(window_, id);
    RECT room = {};
    if (control == nullptr || !GetClientRect(control, &room)) {
        return true;
    }
    HDC context = GetDC(control);
    if (context == nullptr) {
        return true;
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    const HGDIOBJ former = font != nullptr ? SelectObject(context, font) : nullptr;
    RECT needed = {0, 0, room.right - room.left, 0};
    DrawTextA(context, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (former != nullptr) {
        SelectObject(context, former);
    }
    ReleaseDC(control, context);
    return needed.bottom - needed.top <= room.bottom - room.top &&
           needed.right - needed.left <= room.right - room.left;
}
bool Win32Dialog::IsChecked(int id) {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}
void Win32Dialog::SetChecked(int id, bool checked) {
    CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
void Win32Dialog::Enable(int id, bool enabled) {
    HWND control = GetDlgItem(window_, id);
    // A control disabled while it has the focus would leave the keyboard
    // nowhere: the focus moves on to the next control first.
    if (!enabled && GetFocus() == control) {
        SendMessageA(window_, WM_NEXTDLGCTL, 0, FALSE);
    }
    EnableWindow(control, enabled);
}

int Win32Dialog::ItemCount(int id) {
    const LRESULT count =
        SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string Win32Dialog::ItemText(int id, int index) {
    const bool list = IsListBox(id);
    const LRESULT length =
        SendDlgItemMessageA(window_, id, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0);
    if (length < 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendDlgItemMessageA(window_, id, list ? LB_GETTEXT : CB_GETLBTEXT, index,
                                            reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

void Win32Dialog::ClearItems(int id) {
    SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

void Win32Dialog::AddItem(int id, const std::string& text) {
    SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_ADDSTRING : CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Dialog::AddItems(int id, const std::vector<std::string>& texts) {
    if (texts.empty()) {
        return;
    }
    HWND control = GetDlgItem(window_, id);
    const bool list_box = IsListBox(id);
    std::size_t bytes = 0;
    for (const std::string& text : texts) {
        bytes += text.size() + 1;
    }
    const bool was_empty = list_box && SendMessageA(control, LB_GETCOUNT, 0, 0) <= 0;
    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    SendMessageA(control, list_box ? LB_INITSTORAGE : CB_INITSTORAGE, texts.size(), bytes);
    const UINT add = list_box ? LB_ADDSTRING : CB_ADDSTRING;
    for (const std::string& text : texts) {
        SendMessageA(control, add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    if (list_box) {
        WidenToLongestLine(control, texts, was_empty);
    }
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void Win32Dialog::InsertItem(int id, int index, const std::string& text) {
    SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_INSERTSTRING : CB_INSERTSTRING, index,
                        reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Dialog::RemoveItem(int id, int index) {
    SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_DELETESTRING : CB_DELETESTRING, index, 0);
}

int Win32Dialog::Selection(int id) {
    const LRESULT selected =
        SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
    return selected < 0 ? -1 : static_cast<int>(selected);
}

void Win32Dialog::Select(int id, int index) {
    SendDlgItemMessageA(window_, id, IsListBox(id) ? LB_SETCURSEL : CB_SETCURSEL, index, 0);
}

namespace {

// The system's cursors (IDC_ARROW, IDC_WAIT), by number for the ANSI calls.
constexpr WORD kArrowCursor = 32512;
constexpr WORD kWaitCursor = 32514;

}  // namespace

int Win32Dialog::ShowMessage(const std::string& text, unsigned style, MessageOwner owner) {
    HWND parent = owner == MessageOwner::Dialog ? window_ : GetWindow(window_, GW_OWNER);
    if (busy_) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kArrowCursor)));
    }
    const int answer = MessageBoxA(parent, text.c_str(), kMessageCaption, style);
    if (busy_) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kWaitCursor)));
    }
    return answer;
}

void Win32Dialog::ShowBusy(bool busy) {
    if (busy && !busy_) {
        former_cursor_ = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kWaitCursor)));
    } else if (!busy && busy_) {
        SetCursor(former_cursor_ != nullptr ? former_cursor_
                                            : LoadCursorA(nullptr, MAKEINTRESOURCEA(kArrowCursor)));
    }
    busy_ = busy;
}

int Win32Dialog::RunNestedDialog(int template_id, void* exchange) {
    DLGPROC procedure = procedure_for_ != nullptr ? procedure_for_(template_id) : nullptr;
    if (procedure == nullptr) {
        return -1;
    }
    return static_cast<int>(DialogBoxParamA(instance_, MAKEINTRESOURCEA(template_id), window_,
                                            procedure, reinterpret_cast<LPARAM>(exchange)));
}

void Win32Dialog::End(int code) {
    EndDialog(window_, code);
}

void Win32Dialog::StartTimer(int id, unsigned milliseconds) {
    SetTimer(window_, static_cast<UINT_PTR>(id), milliseconds, nullptr);
}

void Win32Dialog::StopTimer(int id) {
    KillTimer(window_, static_cast<UINT_PTR>(id));
}

void Win32Dialog::Shrink() {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW);
}

}  // namespace tandrel::win32
