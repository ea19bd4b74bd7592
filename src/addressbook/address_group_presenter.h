// The Address group dialog's behaviour: the tree of books and groups, the
// choice handed back to the Rule entry dialog, and new groups.
#pragma once

#include <optional>
#include <string>

#include "addressbook/address_book.h"
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

    void Init();
    bool OnCommand(int id, int notification);

  private:
    void CreateGroup();

    Dialog& dialog_;
    Tree& tree_;
    AddressGroupContext& context_;
};

// Book name and group path of the selected item, worked out from its place
// in the tree; both empty without a selection.
GroupIdentifier GetSelectedGroup(Tree& tree);

}  // namespace tandrel
