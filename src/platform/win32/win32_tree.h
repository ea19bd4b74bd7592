// The Tree port over a tree-view control.
#pragma once

#include <windows.h>

#include <commctrl.h>  // after windows.h, which it needs

#include "platform/tree.h"

namespace tandrel::win32 {

class Win32Tree final : public Tree {
  public:
    explicit Win32Tree(HWND tree) : tree_(tree) {}

    void BeginFill() override;
    void EndFill() override;
    TreeItem Insert(TreeItem parent, const std::string& text, int image, bool expandable) override;
    void SetExpandable(TreeItem item, bool expandable) override;
    void Select(TreeItem item) override;
    TreeItem Selected() override;
    TreeItem Parent(TreeItem item) override;
    TreeItem FirstChild(TreeItem item) override;
    TreeItem NextSibling(TreeItem item) override;
    std::string Text(TreeItem item) override;

  private:
    TreeItem Next(TreeItem item, UINT relation);

    HWND tree_;
    int fills_ = 0;  // fills begun and not yet ended
};

}  // namespace tandrel::win32
