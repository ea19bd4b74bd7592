#include "addressbook/address_group_presenter.h"

#include "addressbook/create_group.h"
#include "addressbook/group_listing.h"
#include "resources/resource.h"

namespace tandrel {

namespace {

// Inserts `items` below `parent`; `found` becomes the item of `to_select`.
void InsertItems(Tree& tree, TreeItem parent, const std::vector<GroupTreeItem>& items,
                 const GroupIdentifier& to_select, TreeItem& found) {
    for (const GroupTreeItem& item : items) {
        const TreeItem inserted =
            tree.Insert(parent, item.text, item.group_path.empty() ? kBookImage : kGroupImage);
        if (item.book == to_select.book && item.group_path == to_select.group_path) {
            found = inserted;
        }
        InsertItems(tree, inserted, item.children, to_select, found);
    }
}

}  // namespace

GroupIdentifier GetSelectedGroup(Tree& tree) {
    GroupIdentifier group;
    TreeItem item = tree.Selected();
    if (item == kNoTreeItem) {
        return group;
    }
    for (TreeItem parent = tree.Parent(item); parent != kNoTreeItem;
         item = parent, parent = tree.Parent(item)) {
        const std::string text = tree.Text(item);
        group.group_path = group.group_path.empty() ? text : text + "\\" + group.group_path;
    }
    group.book = tree.Text(item);
    return group;
}

void AddressGroupPresenter::Init() {
    const GroupIdentifier& current = context_.choice.shown;
    const std::vector<GroupTreeItem> groups =
        ListGroupTree(context_.files, context_.profile, context_.data_folder, context_.lead_bytes);
    TreeItem selected = kNoTreeItem;
    tree_.BeginFill();
    InsertItems(tree_, kNoTreeItem, groups, current, selected);
    tree_.EndFill();
    if (selected != kNoTreeItem) {
        tree_.Select(selected);
    }
}

bool AddressGroupPresenter::OnCommand(int id, int notification) {
    if (id == kIdOk) {
        const GroupIdentifier group = GetSelectedGroup(tree_);
        if (!group.book.empty() && !group.group_path.empty()) {
            context_.choice.chosen = group;
        }
        dialog_.End(kIdOk);
        return true;
    }
    if (id == kIdCancel) {
        dialog_.End(kIdCancel);
        return true;
    }
    if (id == IDC_GROUP_NEW_NAME && notification == kNotifyEditBoxUpdate) {
        dialog_.Enable(IDC_GROUP_ADD, !dialog_.Text(IDC_GROUP_NEW_NAME).empty());
    } else if (id == IDC_GROUP_ADD && notification == kNotifyClicked) {
        CreateGroup();
    }
    return false;
}

void AddressGroupPresenter::CreateGroup() {
    const TreeItem selected = tree_.Selected();
    if (selected == kNoTreeItem) {
        return;  // nowhere to put it
    }
    const GroupIdentifier parent = GetSelectedGroup(tree_);
    const std::string name = dialog_.Text(IDC_GROUP_NEW_NAME);
    std::vector<std::string> shown;
    for (TreeItem child = tree_.FirstChild(selected); child != kNoTreeItem;
         child = tree_.NextSibling(child)) {
        shown.push_back(tree_.Text(child));
    }
    const CreateGroupResult result =
        CreateShownGroup(context_.files, context_.profile, context_.data_folder, parent, shown,
                         name, context_.lead_bytes);
    if (result == CreateGroupResult::Created) {
        tree_.Select(tree_.Insert(selected, name, kGroupImage));
        return;
    }
    dialog_.ShowMessage(CreateGroupMessage(context_.strings, result, parent, name),
                        kMessageOk | kMessageError, MessageOwner::Dialog);
}

}  // namespace tandrel
