// An in-memory Tree double: items in insertion order, handles from 1. Items
// open as a user opens them: the first opening of an item with an expand
// button tells the expanding handler (the presenter) first, as the
// platform's notification does, and selecting an item opens its parents.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/tree.h"

namespace tandrel::testing {

class MemoryTree final : public Tree {
  public:
    void BeginFill() override {}
    void EndFill() override {}
    TreeItem Insert(TreeItem parent, const std::string& text, int image, bool expandable) override;
    void SetExpandable(TreeItem item, bool expandable) override;
    void Select(TreeItem item) override;
    TreeItem Selected() override { return selected_; }
    TreeItem Parent(TreeItem item) override;
    TreeItem FirstChild(TreeItem item) override;
    TreeItem NextSibling(TreeItem item) override;
    std::string Text(TreeItem item) override;

    void set_expanding_handler(std::function<void(TreeItem)> handler) {
        expanding_handler_ = std::move(handler);
    }

    int Image(TreeItem item) const;
    bool IsExpandable(TreeItem item) const;
    // Opens an item as a user clicking its expand button does.
    void Open(TreeItem item);
    // Opens every item, as a user would to see the whole tree.
    void OpenAll();
    // Every item inserted, as its texts joined by "\", depth first.
    std::vector<std::string> Paths();
    std::string PathOf(TreeItem item);
    // The item inserted whose path is `path`, or kNoTreeItem.
    TreeItem Find(const std::string& path);
    // The item whose path is `path`, opening each item on the way as a user
    // looking for it does; kNoTreeItem when there is none.
    TreeItem FindOpening(const std::string& path);

  private:
    struct Item {
        TreeItem parent;
        std::string text;
        int image;
        bool expandable;
        bool opened = false;
    };
    const Item* Get(TreeItem item) const;
    Item* Get(TreeItem item);
    void CollectPaths(TreeItem parent, std::vector<std::string>& paths);

    std::vector<Item> items_;
    TreeItem selected_ = kNoTreeItem;
    std::function<void(TreeItem)> expanding_handler_;
};

}  // namespace tandrel::testing
