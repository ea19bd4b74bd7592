// The Address group dialog's behaviour: the tree of books and groups, filled
// a level at a time as it is opened, the choice handed back to the Rule
// entry dialog, and new groups.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "addressbook/address_book.h"
#include "addressbook/group_listing.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "platform/tree.h"
#include "text/file_names.h"

namespace tandrel {

// What the Rule entry dialog and the Address group dialog pass each other:
// the group shown when the dialog opens, and the one chosen at OK (none
// when OK leaves a book, or nothing, selected).
struct GroupChoice {
    GroupIdentifier shown;
    std::optional<GroupIdentifier> chosen;
};

struct AddressGroupContext {
    Files& files;
    Profile& profile;
    Strings& strings;
    std::string data_folder;
    GroupChoice& choice;
    LeadBytePredicate lead_bytes = nullptr;
};

class AddressGroupPresenter {
  public:
    AddressGroupPresenter(Dialog& dialog, Tree& tree, AddressGroupContext& context)
        : dialog_(dialog), tree_(tree), context_(context) {}

    // Lists the books and their first level of groups, and the branch down
    // to the group shown, which is selected.
    void Init();
    bool OnCommand(int id, int notification);
    // The user opens `item`: its groups are listed and inserted, once.
    void OnItemExpanding(TreeItem item);

  private:
    TreeItem InsertBranch(TreeItem parent, GroupBranch branch);
    void FillBranch(TreeItem item);
    void CreateGroup();

    Dialog& dialog_;
    Tree& tree_;
    AddressGroupContext& context_;
    // The items shown with an expand button whose groups are not listed yet.
    std::unordered_map<TreeItem, GroupBranch> unlisted_;
};

// Book name and group path of the selected item, worked out from its place
// in the tree; both empty without a selection.
GroupIdentifier GetSelectedGroup(Tree& tree);

}  // namespace tandrel
