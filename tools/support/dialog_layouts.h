// The controls of the library's dialog templates, as data: what a dialog
// looks like before its presenter runs. The resource script holds the same.
#pragma once

#include <string>
#include <vector>

namespace tandrel {

enum class ControlKind {
    Edit,
    ReadOnlyEdit,
    Static,
    PushButton,
    CheckBox,
    PushLikeCheckBox,
    DropDownList,   // a combo box without an edit
    DropDownCombo,  // a combo box with an edit
    ListBox,
    TreeView,
};

struct ControlLayout {
    int id;
    ControlKind kind;
    const char* text;
    bool initially_enabled;
};

struct DialogLayout {
    int template_id;
    const char* title;
    std::vector<ControlLayout> controls;
};

// The layout of dialog template 101, 102, 104, 105 or 106; nullptr for any other id.
const DialogLayout* FindDialogLayout(int template_id);

}  // namespace tandrel
