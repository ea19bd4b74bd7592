#include "support/memory_tree.h"

namespace tandrel::testing {

const MemoryTree::Item* MemoryTree::Get(TreeItem item) const {
    if (item <= 0 || item > static_cast<TreeItem>(items_.size())) {
        return nullptr;
    }
    return &items_[static_cast<std::size_t>(item - 1)];
}

TreeItem MemoryTree::Insert(TreeItem parent, const std::string& text, int image) {
    items_.push_back({parent, text, image});
    return static_cast<TreeItem>(items_.size());
}

TreeItem MemoryTree::Parent(TreeItem item) {
    const Item* found = Get(item);
    return found == nullptr ? kNoTreeItem : found->parent;
}

TreeItem MemoryTree::FirstChild(TreeItem item) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].parent == item) {
            return static_cast<TreeItem>(i + 1);
        }
    }
    return kNoTreeItem;
}

TreeItem MemoryTree::NextSibling(TreeItem item) {
    const Item* found = Get(item);
    if (found == nullptr) {
        return kNoTreeItem;
    }
    for (auto i = static_cast<std::size_t>(item); i < items_.size(); ++i) {
        if (items_[i].parent == found->parent) {
            return static_cast<TreeItem>(i + 1);
        }
    }
    return kNoTreeItem;
}

std::string MemoryTree::Text(TreeItem item) {
    const Item* found = Get(item);
    return found == nullptr ? std::string() : found->text;
}

int MemoryTree::Image(TreeItem item) const {
    const Item* found = Get(item);
    return found == nullptr ? -1 : found->image;
}

std::string MemoryTree::PathOf(TreeItem item) {
    std::string path;
    for (; item != kNoTreeItem; item = Parent(item)) {
        path = path.empty() ? Text(item) : Text(item) + "\\" + path;
    }
    return path;
}

void MemoryTree::CollectPaths(TreeItem parent, std::vector<std::string>& paths) {
    for (TreeItem child = FirstChild(parent); child != kNoTreeItem; child = NextSibling(child)) {
        paths.push_back(PathOf(child));
        CollectPaths(child, paths);
    }
}

std::vector<std::string> MemoryTree::Paths() {
    std::vector<std::string> paths;
    CollectPaths(kNoTreeItem, paths);
    return paths;
}

TreeItem MemoryTree::Find(const std::string& path) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (PathOf(static_cast<TreeItem>(i + 1)) == path) {
            return static_cast<TreeItem>(i + 1);
        }
    }
    return kNoTreeItem;
}

}  // namespace tandrel::testing
