#include "entry/address_group_presenter.h"

#include <string_view>
#include <vector>

#include "addressbook/create_group.h"
#include "resources/resource.h"
#include "text/characters.h"

namespace tandrel {

namespace {

TreeItem FindChild(Tree& tree, TreeItem parent, std::string_view text) {
    for (TreeItem child = tree.FirstChild(parent); child != kNoTreeItem;
         child = tree.NextSibling(child)) {
        if (tree.Text(child) == text) {
            return child;
        }
    }
    return kNoTreeItem;
}

}  // namespace

GroupIdentifier GetSelectedGroup(Tree& tree) {
    // The items from the selected one up to its book, then joined downwards.
    std::vector<std::string> texts;
    for (TreeItem item = tree.Selected(); item != kNoTreeItem; item = tree.Parent(item)) {
        texts.push_back(tree.Text(item));
    }
    GroupIdentifier group;
    if (texts.empty()) {
        return group;
    }
    group.book = texts.back();
    for (auto text = texts.rbegin() + 1; text != texts.rend(); ++text) {
        group = ChildGroup(group, *text);
    }
    return group;
}

// An item with an expand button while its folder has sub-folders that may
// be groups; they are listed when it is opened.
TreeItem AddressGroupPresenter::InsertBranch(TreeItem parent, GroupBranch branch) {
    const bool expandable = branch.may_hold_groups;
    const TreeItem item = tree_.Insert(
        parent, branch.text, branch.group_path.empty() ? kBookImage : kGroupImage, expandable);
    if (expandable) {
        unlisted_.emplace(item, std::move(branch));
    }
    return item;
}

void AddressGroupPresenter::FillBranch(TreeItem item) {
    const auto found = unlisted_.find(item);
    if (found == unlisted_.end()) {
        return;  // listed already, or nothing below it
    }
    const GroupBranch branch = std::move(found->second);
    unlisted_.erase(found);
    std::vector<GroupBranch> groups = ListChildGroups(context_.files, branch, context_.lead_bytes);
    if (groups.empty()) {
        tree_.SetExpandable(item, false);  // no sub-folder was a group
        return;
    }
    tree_.BeginFill();
    for (GroupBranch& group : groups) {
        InsertBranch(item, std::move(group));
    }
    tree_.EndFill();
}

void AddressGroupPresenter::Init() {
    const GroupIdentifier& shown = context_.choice.shown;
    TreeItem selected = kNoTreeItem;
    tree_.BeginFill();
    for (GroupBranch& book : ListBookBranches(context_.files, context_.profile,
                                              context_.data_folder, context_.lead_bytes)) {
        const bool holds_shown = book.book == shown.book;
        const TreeItem item = InsertBranch(kNoTreeItem, std::move(book));
        FillBranch(item);
        if (holds_shown && selected == kNoTreeItem) {
            selected = item;
        }
    }
    // The branch down to the group shown, each level listed on the way.
    if (selected != kNoTreeItem && !shown.group_path.empty()) {
        for (const std::string_view name :
             SplitAtCharacter(shown.group_path, '\\', context_.lead_bytes)) {
            FillBranch(selected);
            selected = FindChild(tree_, selected, name);
            if (selected == kNoTreeItem) {
                break;
            }
        }
    }
    tree_.EndFill();
    if (selected != kNoTreeItem) {
        tree_.Select(selected);
    }
}

void AddressGroupPresenter::OnItemExpanding(TreeItem item) {
    FillBranch(item);
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
    // The groups already there are shown before a name is compared with them.
    FillBranch(selected);
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
        GroupBranch made;
        made.book = parent.book;
        made.group_path = ChildGroup(parent, name).group_path;
        made.text = name;
        made.folder = GroupFolder(ResolveBookFolder(context_.profile, context_.data_folder,
                                                    parent.book, context_.lead_bytes),
                                  made.group_path);
        // A folder that was there already may hold groups of its own.
        made.may_hold_groups = MayHoldGroups(context_.files, made, context_.lead_bytes);
        const TreeItem item = InsertBranch(selected, std::move(made));
        tree_.SetExpandable(selected, true);
        tree_.Select(item);
        return;
    }
    dialog_.ShowMessage(CreateGroupMessage(context_.strings, result, parent, name),
                        kMessageOk | kMessageError, MessageOwner::Dialog);
}

}  // namespace tandrel
