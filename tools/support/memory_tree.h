// An in-memory Tree double: items in insertion order, handles from 1.
#pragma once

#include <string>
#include <vector>

#include "platform/tree.h"

namespace tandrel::testing {

class MemoryTree final : public Tree {
  public:
    void BeginFill() override {}
    void EndFill() override {}
    TreeItem Insert(TreeItem parent, const std::string& text, int image) override;
    void Select(TreeItem item) override { selected_ = item; }
    TreeItem Selected() override { return selected_; }
    TreeItem Parent(TreeItem item) override;
    TreeItem FirstChild(TreeItem item) override;
    TreeItem NextSibling(TreeItem item) override;
    std::string Text(TreeItem item) override;

    int Image(TreeItem item) const;
    // Every item as its texts joined by "\", depth first.
    std::vector<std::string> Paths();
    std::string PathOf(TreeItem item);
    // The item whose path is `path`, or kNoTreeItem.
    TreeItem Find(const std::string& path);

  private:
    struct Item {
        TreeItem parent;
        std::string text;
        int image;
    };
    const Item* Get(TreeItem item) const;
    void CollectPaths(TreeItem parent, std::vector<std::string>& paths);

    std::vector<Item> items_;
    TreeItem selected_ = kNoTreeItem;
};

}  // namespace tandrel::testing
