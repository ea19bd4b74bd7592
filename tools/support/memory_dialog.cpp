#include "support/memory_dialog.h"

#include <algorithm>
#include <stdexcept>

namespace tandrel::testing {

MemoryDialog::MemoryDialog(int template_id) : template_id_(template_id) {
    const DialogLayout* layout = FindDialogLayout(template_id);
    if (layout == nullptr) {
        throw std::invalid_argument("no dialog template " + std::to_string(template_id));
    }
    title_ = layout->title;
    for (const ControlLayout& entry : layout->controls) {
        Control& made = controls_[entry.id];
        made.kind = entry.kind;
        made.text = entry.text;
        made.enabled = entry.initially_enabled;
    }
}

MemoryDialog::Control& MemoryDialog::control(int id) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) {
        throw std::out_of_range("dialog " + std::to_string(template_id_) + " has no control " +
                                std::to_string(id));
    }
    return found->second;
}

std::string MemoryDialog::Text(int id) {
    Control& made = control(id);
    if (made.kind == ControlKind::DropDownList) {
        return made.selection >= 0 ? made.items[static_cast<std::size_t>(made.selection)]
                                   : std::string();
    }
    return made.text;
}

std::string MemoryDialog::ItemText(int id, int index) {
    Control& made = control(id);
    if (index < 0 || index >= static_cast<int>(made.items.size())) {
        return std::string();
    }
    return made.items[static_cast<std::size_t>(index)];
}

void MemoryDialog::ClearItems(int id) {
    Control& made = control(id);
    made.items.clear();
    made.selection = -1;
    if (made.kind == ControlKind::DropDownCombo) {
        made.text.clear();  // emptying a combo box empties its edit too
    }
}

void MemoryDialog::InsertItem(int id, int index, const std::string& text) {
    Control& made = control(id);
    const auto at = static_cast<std::size_t>(
        std::min<int>(std::max(index, 0), static_cast<int>(made.items.size())));
    made.items.insert(made.items.begin() + static_cast<std::ptrdiff_t>(at), text);
    if (made.selection >= static_cast<int>(at)) {
        ++made.selection;
    }
}

void MemoryDialog::RemoveItem(int id, int index) {
    Control& made = control(id);
    if (index < 0 || index >= static_cast<int>(made.items.size())) {
        return;
    }
    made.items.erase(made.items.begin() + index);
    if (made.selection == index) {
        made.selection = -1;
    } else if (made.selection > index) {
        --made.selection;
    }
}

void MemoryDialog::Select(int id, int index) {
    Control& made = control(id);
    const bool valid = index >= 0 && index < static_cast<int>(made.items.size());
    made.selection = valid ? index : -1;
    if (made.kind == ControlKind::DropDownCombo) {
        made.text = valid ? made.items[static_cast<std::size_t>(index)] : std::string();
    }
}

int MemoryDialog::ShowMessage(const std::string& text, unsigned style, MessageOwner owner) {
    if (!message_handler_) {
        throw std::logic_error("unexpected message box: " + text);
    }
    return message_handler_(text, style, owner);
}

int MemoryDialog::RunNestedDialog(int template_id, void* exchange) {
    if (!nested_handler_) {
        throw std::logic_error("unexpected nested dialog " + std::to_string(template_id));
    }
    return nested_handler_(template_id, exchange);
}

void MemoryDialog::End(int code) {
    ended_ = true;
    end_code_ = code;
}

}  // namespace tandrel::testing
