// The Address group dialog's behaviour: the tree of books and groups, the
// choice handed back to the Rule entry dialog, and new groups.
#pragma once

#include <string>

#include "addressbook/address_book.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "platform/tree.h"
#include "text/file_names.h"

namespace tandrel {

struct AddressGroupContext {
    Files& files;
    Profile& profile;
    Strings& strings;
    std::string data_folder;
    LeadBytePredicate lead_bytes = nullptr;
};

class AddressGroupPresenter {
  public:
    // `owner` is the Rule entry dialog, whose group field is read and written.
    AddressGroupPresenter(Dialog& dialog, Tree& tree, Dialog& owner, AddressGroupContext& context)
        : dialog_(dialog), tree_(tree), owner_(owner), context_(context) {}

    void Init();
    bool OnCommand(int id, int notification);

  private:
    void CreateGroup();

    Dialog& dialog_;
    Tree& tree_;
    Dialog& owner_;
    AddressGroupContext& context_;
};

// Book name and group path of the selected item, worked out from its place
// in the tree; both empty without a selection.
GroupIdentifier GetSelectedGroup(Tree& tree);

}  // namespace tandrel
