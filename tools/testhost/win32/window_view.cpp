#include "testhost/win32/window_view.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "testhost/model/host_model.h"
#include "testhost/win32/host_state.h"

namespace tandrel::testhost {

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsListBox(HWND control) {
    return lstrcmpiA(ClassOf(control).c_str(), "ListBox") == 0;
}

HWND TreeOf(HWND dialog) {
    return FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
}

std::string ItemText(HWND tree, HTREEITEM item) {
    char buffer[1024] = {};
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = sizeof buffer;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return buffer;
}

std::string PathOf(HWND tree, HTREEITEM item) {
    std::string path;
    for (; item != nullptr; item = TreeView_GetParent(tree, item)) {
        path = ItemText(tree, item) + (path.empty() ? "" : "\\" + path);
    }
    return path;
}

void CollectPaths(HWND tree, HTREEITEM first, std::vector<std::string>& paths) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        paths.push_back(PathOf(tree, item));
        CollectPaths(tree, TreeView_GetChild(tree, item), paths);
    }
}

// The paths of the items that show an expand button: those whose children
// count is not 0 (I_CHILDRENCALLBACK counts, as the tree shows it a button).
void CollectButtons(HWND tree, HTREEITEM first, std::vector<std::string>& paths) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMA shown = {};
        shown.mask = TVIF_HANDLE | TVIF_CHILDREN;
        shown.hItem = item;
        if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown)) &&
            shown.cChildren != 0) {
            paths.push_back(PathOf(tree, item));
        }
        CollectButtons(tree, TreeView_GetChild(tree, item), paths);
    }
}

// Opens every item as a user would, depth first: the first opening of an
// item notifies the plug-in, which inserts the groups below it.
void OpenAll(HWND tree, HTREEITEM first) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        TreeView_Expand(tree, item, TVE_EXPAND);
        OpenAll(tree, TreeView_GetChild(tree, item));
    }
}

// The item whose path is `path`, opening each item on the way as a user
// looking for it does. Paths are compared whole, never split: a second byte
// of a double-byte name may have the code of "\\".
HTREEITEM FindOpening(HWND tree, const std::string& path) {
    for (HTREEITEM item = TreeView_GetRoot(tree); item != nullptr;) {
        const std::string item_path = PathOf(tree, item);
        if (item_path == path) {
            return item;
        }
        if (path.compare(0, item_path.size() + 1, item_path + "\\") == 0) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            item = TreeView_GetChild(tree, item);
        } else {
            item = TreeView_GetNextSibling(tree, item);
        }
    }
    return nullptr;
}

ControlKind KindOf(HWND control) {
    const std::string name = ClassOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    if (lstrcmpiA(name.c_str(), "Edit") == 0) {
        return (style & ES_READONLY) != 0 ? ControlKind::ReadOnlyEdit : ControlKind::Edit;
    }
    if (lstrcmpiA(name.c_str(), "ComboBox") == 0) {
        return (style & 0x3) == CBS_DROPDOWNLIST ? ControlKind::DropDownList
                                                 : ControlKind::DropDownCombo;
    }
    if (lstrcmpiA(name.c_str(), "ListBox") == 0) {
        return ControlKind::ListBox;
    }
    if (lstrcmpiA(name.c_str(), WC_TREEVIEWA) == 0) {
        return ControlKind::TreeView;
    }
    if (lstrcmpiA(name.c_str(), "Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                return ControlKind::PushButton;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return (style & BS_PUSHLIKE) != 0 ? ControlKind::PushLikeCheckBox
                                                  : ControlKind::CheckBox;
            default:
                break;
        }
    }
    return ControlKind::Static;
}

}  // namespace

std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string WindowView::Title() {
    return ui_.Call<std::string>([this] { return TextOf(dialog_); });
}

bool WindowView::HasControl(int id) {
    return ui_.Call<bool>([this, id] { return GetDlgItem(dialog_, id) != nullptr; });
}

ControlKind WindowView::Kind(int id) {
    return ui_.Call<ControlKind>([this, id] { return KindOf(GetDlgItem(dialog_, id)); });
}

bool WindowView::IsEnabled(int id) {
    return ui_.Call<bool>([this, id] { return IsWindowEnabled(GetDlgItem(dialog_, id)) != FALSE; });
}

bool WindowView::IsChecked(int id) {
    return ui_.Call<bool>([this, id] { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; });
}

std::string WindowView::Text(int id) {
    return ui_.Call<std::string>([this, id] { return TextOf(GetDlgItem(dialog_, id)); });
}

std::vector<std::string> WindowView::Items(int id) {
    return ui_.Call<std::vector<std::string>>([this, id] {
        HWND control = GetDlgItem(dialog_, id);
        const bool list = IsListBox(control);
        std::vector<std::string> items;
        const LRESULT count = SendMessageA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length =
                SendMessageA(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i, 0);
            std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
            const LRESULT got = SendMessageA(control, list ? LB_GETTEXT : CB_GETLBTEXT, i,
                                             reinterpret_cast<LPARAM>(&text[0]));
            text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            items.push_back(text);
        }
        return items;
    });
}

int WindowView::Selection(int id) {
    return ui_.Call<int>([this, id] {
        HWND control = GetDlgItem(dialog_, id);
        const LRESULT selected =
            SendMessageA(control, IsListBox(control) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
        return selected < 0 ? -1 : static_cast<int>(selected);
    });
}

namespace {

// The paths `collect` gathers of the dialog's tree once every item is open.
std::vector<std::string> OpenedTreePaths(const UiThread& ui, HWND dialog,
                                         void (*collect)(HWND, HTREEITEM,
                                                         std::vector<std::string>&)) {
    return ui.Call<std::vector<std::string>>([dialog, collect] {
        std::vector<std::string> paths;
        HWND tree = TreeOf(dialog);
        if (tree != nullptr) {
            OpenAll(tree, TreeView_GetRoot(tree));
            collect(tree, TreeView_GetRoot(tree), paths);
        }
        return paths;
    });
}

}  // namespace

std::vector<std::string> WindowView::TreePaths() {
    return OpenedTreePaths(ui_, dialog_, CollectPaths);
}

std::vector<std::string> WindowView::TreeButtonPaths() {
    return OpenedTreePaths(ui_, dialog_, CollectButtons);
}

std::string WindowView::TreeSelectedPath() {
    return ui_.Call<std::string>([this] {
        HWND tree = TreeOf(dialog_);
        return tree == nullptr ? std::string() : PathOf(tree, TreeView_GetSelection(tree));
    });
}

void WindowView::Type(int id, const std::string& text) {
    // Replacing the whole text as typing would: the edit (or the combo box's
    // edit) tells its parent of the update and the change itself.
    HWND dialog = dialog_;
    ui_.Post([dialog, id, text] {
        HWND control = GetDlgItem(dialog, id);
        HWND edit = lstrcmpiA(ClassOf(control).c_str(), "ComboBox") == 0
                        ? FindWindowExA(control, nullptr, "Edit", nullptr)
                        : control;
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    });
}

void WindowView::Choose(int id, int index) {
    HWND dialog = dialog_;
    ui_.Post([dialog, id, index] {
        HWND control = GetDlgItem(dialog, id);
        const bool list = IsListBox(control);
        // A combo box with an edit tells of a choice from its list while the
        // edit still shows the former text, as when a user clicks the item:
        // the selection is made in its list first, the edit follows.
        COMBOBOXINFO combo = {};
        combo.cbSize = sizeof combo;
        const bool with_edit = !list && GetComboBoxInfo(control, &combo) &&
                               combo.hwndItem != nullptr && combo.hwndItem != control &&
                               combo.hwndList != nullptr;
        if (with_edit) {
            SendMessageA(combo.hwndList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        } else {
            SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index),
                         0);
        }
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        if (with_edit && SendMessageA(control, CB_GETCURSEL, 0, 0) == index) {
            SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    });
}

void WindowView::Click(int id) {
    HWND dialog = dialog_;
    ui_.Post([dialog, id] {
        // The Rule entry dialog is the one with the count of matching mail;
        // the click returns once its OK is handled.
        const bool rule_entry_ok =
            id == IDOK && GetDlgItem(dialog, IDC_ENTRY_MATCH_COUNT) != nullptr;
        if (rule_entry_ok) {
            Host().model->RuleEntryOkBegins();
        }
        SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        if (rule_entry_ok) {
            Host().model->RuleEntryOkEnds();
        }
    });
}

bool WindowView::LetTimersRun() {
    // The dialog runs its timers itself whenever it idles.
    constexpr DWORD kPollMs = 20;
    Sleep(kPollMs);
    return true;
}

std::size_t WindowView::ReadsSinceOpened() {
    return ui_.Call<std::size_t>([] { return Host().model->reads_since_dialog_opened(); });
}

bool WindowView::TreeSelect(const std::string& path) {
    return ui_.Call<bool>([this, path] {
        HWND tree = TreeOf(dialog_);
        HTREEITEM item = tree == nullptr ? nullptr : FindOpening(tree, path);
        if (item == nullptr) {
            return false;
        }
        TreeView_SelectItem(tree, item);
        return true;
    });
}

}  // namespace tandrel::testhost
