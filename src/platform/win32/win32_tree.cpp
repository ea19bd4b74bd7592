#include "platform/win32/win32_tree.h"

#include <vector>

namespace tandrel::win32 {

namespace {

HTREEITEM Handle(TreeItem item) {
    return reinterpret_cast<HTREEITEM>(item);
}

}  // namespace

// A fill may hold others (a level filled while the tree opens); the tree
// draws again when the outermost ends.
void Win32Tree::BeginFill() {
    if (fills_++ == 0) {
        SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    }
}

void Win32Tree::EndFill() {
    if (fills_ > 0 && --fills_ == 0) {
        SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree_, nullptr, TRUE);
    }
}

TreeItem Win32Tree::Insert(TreeItem parent, const std::string& text, int image, bool expandable) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent == kNoTreeItem ? TVI_ROOT : Handle(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.cChildren = expandable ? 1 : 0;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    insert.item.pszText = buffer.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return static_cast<TreeItem>(
        SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32Tree::SetExpandable(TreeItem item, bool expandable) {
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_CHILDREN;
    data.hItem = Handle(item);
    data.cChildren = expandable ? 1 : 0;
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

void Win32Tree::Select(TreeItem item) {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Handle(item)));
}

TreeItem Win32Tree::Next(TreeItem item, UINT relation) {
    return static_cast<TreeItem>(
        SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(Handle(item))));
}

TreeItem Win32Tree::Selected() {
    return Next(kNoTreeItem, TVGN_CARET);
}
TreeItem Win32Tree::Parent(TreeItem item) {
    return Next(item, TVGN_PARENT);
}
TreeItem Win32Tree::FirstChild(TreeItem item) {
    return item == kNoTreeItem ? Next(kNoTreeItem, TVGN_ROOT) : Next(item, TVGN_CHILD);
}
TreeItem Win32Tree::NextSibling(TreeItem item) {
    return Next(item, TVGN_NEXT);
}

std::string Win32Tree::Text(TreeItem item) {
    std::vector<char> buffer(1024, '\0');
    TVITEMA data = {};
    data.mask = TVIF_TEXT | TVIF_HANDLE;
    data.hItem = Handle(item);
    data.pszText = buffer.data();
    data.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) {
        return std::string();
    }
    return std::string(buffer.data());
}

}  // namespace tandrel::win32
