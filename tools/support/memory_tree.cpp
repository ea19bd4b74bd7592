#include "support/memory_tree.h"

namespace tandrel::testing {

const MemoryTree::Item* MemoryTree::Get(TreeItem item) const {
    if (item <= 0 || item > static_cast<TreeItem>(items_.size())) {
        return nullptr;
    }
    return &items_[static_cast<std::size_t>(item - 1)];
}

MemoryTree::Item* MemoryTree::Get(TreeItem item) {
    return const_cast<Item*>(static_cast<const MemoryTree*>(this)->Get(item));
}

TreeItem MemoryTree::Insert(TreeItem parent, const std::string& text, int image, bool expandable) {
    items_.push_back({parent, text, image, expandable});
    return static_cast<TreeItem>(items_.size());
}

void MemoryTree::SetExpandable(TreeItem item, bool expandable) {
    if (Item* found = Get(item)) {
        found->expandable = expandable;
    }
}

bool MemoryTree::IsExpandable(TreeItem item) const {
    const Item* found = Get(item);
    return found != nullptr && found->expandable;
}

void MemoryTree::Open(TreeItem item) {
    Item* found = Get(item);
    // Without an expand button an item cannot be opened, whatever it holds.
    if (found == nullptr || found->opened || !found->expandable) {
        return;
    }
    found->opened = true;
    if (expanding_handler_) {
        expanding_handler_(item);
    }
}

void MemoryTree::OpenAll() {
    // Items inserted meanwhile come later in the list and are opened too.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        Open(static_cast<TreeItem>(i + 1));
    }
}

void MemoryTree::Select(TreeItem item) {
    // Selecting an item makes it visible: its parents open.
    std::vector<TreeItem> parents;
    for (TreeItem parent = Parent(item); parent != kNoTreeItem; parent = Parent(parent)) {
        parents.push_back(parent);
    }
    for (auto parent = parents.rbegin(); parent != parents.rend(); ++parent) {
        Open(*parent);
    }
    selected_ = item;
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

TreeItem MemoryTree::FindOpening(const std::string& path) {
    // Compared as whole paths, never split: a second byte of a double-byte
    // name may have the code of "\\".
    for (TreeItem parent = kNoTreeItem;;) {
        TreeItem next = kNoTreeItem;
        for (TreeItem child = FirstChild(parent); child != kNoTreeItem;
             child = NextSibling(child)) {
            const std::string child_path = PathOf(child);
            if (child_path == path) {
                return child;
            }
            if (path.compare(0, child_path.size() + 1, child_path + "\\") == 0) {
                next = child;
                break;
            }
        }
        if (next == kNoTreeItem) {
            return kNoTreeItem;
        }
        Open(next);
        parent = next;
    }
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
