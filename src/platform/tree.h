// Tree port: the tree view of the Address group dialog. Opening an item
// (its expand button) reaches the presenter as the platform's notification.
#pragma once

#include <cstdint>
#include <string>

namespace tandrel {

// An item of the tree; kNoTreeItem is the root (no item).
using TreeItem = std::intptr_t;
constexpr TreeItem kNoTreeItem = 0;

// Images of the group image list.
constexpr int kBookImage = 0;
constexpr int kGroupImage = 1;

class Tree {
  public:
    virtual ~Tree() = default;
    // Inserts between BeginFill and EndFill are one fill: a tree of
    // thousands is drawn once at the end, not item by item. Fills may nest.
    virtual void BeginFill() = 0;
    virtual void EndFill() = 0;
    // Appends an item as the last child of `parent`; an `expandable` one
    // shows an expand button before it has children.
    virtual TreeItem Insert(TreeItem parent, const std::string& text, int image,
                            bool expandable) = 0;
    // Shows or hides the expand button of an item, whatever children it has.
    virtual void SetExpandable(TreeItem item, bool expandable) = 0;
    virtual void Select(TreeItem item) = 0;
    virtual TreeItem Selected() = 0;
    virtual TreeItem Parent(TreeItem item) = 0;
    virtual TreeItem FirstChild(TreeItem item) = 0;
    virtual TreeItem NextSibling(TreeItem item) = 0;
    virtual std::string Text(TreeItem item) = 0;
};

}  // namespace tandrel
