// Dialog port: one open dialog, its controls reached by id. Presenters drive
// it; the Win32 adapter maps it onto a dialog window, the tests onto memory.
#pragma once

#include <string>
#include <vector>

namespace tandrel {

// Notification codes of WM_COMMAND, with the platform's values.
constexpr int kNotifyClicked = 0;            // button or check box clicked
constexpr int kNotifySelChange = 1;          // combo or list box selection changed
constexpr int kNotifyComboEditChange = 5;    // a combo box's edit changed (after display)
constexpr int kNotifyComboEditUpdate = 6;    // a combo box's edit about to show new text
constexpr int kNotifyEditBoxChange = 0x300;  // an edit control changed (after display)
constexpr int kNotifyEditBoxUpdate = 0x400;  // an edit control about to show new text

// Dialog results and the ids of the two standard buttons.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Message box styles, with the platform's values.
constexpr unsigned kMessageOk = 0x00;
constexpr unsigned kMessageOkCancel = 0x01;
constexpr unsigned kMessageError = 0x10;
constexpr unsigned kMessageInformation = 0x40;

// Who owns a message box: the dialog, or the window that owns the dialog.
enum class MessageOwner { Dialog, DialogOwner };

constexpr const char* kMessageCaption = "Tandrel Plug-IN";

class Dialog {
  public:
    virtual ~Dialog() = default;

    virtual std::string Title() = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // The text of an edit or static control, or of a combo box's edit.
    virtual std::string Text(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // Whether `text` fits control `id` whole as the control wraps it, in its
    // font; true where there is no font to measure with.
    virtual bool TextFits(int /*id*/, const std::string& /*text*/) { return true; }

    virtual bool IsChecked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void Enable(int id, bool enabled) = 0;

    // Items of a combo or list box; selection -1 is none.
    virtual int ItemCount(int id) = 0;
    virtual std::string ItemText(int id, int index) = 0;
    virtual void ClearItems(int id) = 0;
    virtual void AddItem(int id, const std::string& text) = 0;
    // Appends many items in one go; a list of thousands is not drawn item by
    // item while it fills.
    virtual void AddItems(int id, const std::vector<std::string>& texts) = 0;
    virtual void InsertItem(int id, int index, const std::string& text) = 0;
    virtual void RemoveItem(int id, int index) = 0;
    virtual int Selection(int id) = 0;
    // Selects item `index`; an index outside the list selects nothing.
    virtual void Select(int id, int index) = 0;

    // Shows a message box with the answer's button id as result.
    virtual int ShowMessage(const std::string& text, unsigned style, MessageOwner owner) = 0;

    // Runs another dialog of the library modally, owned by this one; its
    // presenter is given `exchange` (the dialog's creation value), what the
    // two presenters pass each other, whose type the template id tells.
    virtual int RunNestedDialog(int template_id, void* exchange) = 0;

    // Ends the dialog with `code` once the current message is handled.
    virtual void End(int code) = 0;

    // Makes the dialog topmost at 0,0 with size 0 by 0, still shown.
    virtual void Shrink() = 0;

    // Shows the wait cursor while `busy`, and the cursor as it was after; a
    // message box shown meanwhile has the normal cursor.
    virtual void ShowBusy(bool busy) = 0;

    // Has the presenter's OnTimer(id) called about every `milliseconds`
    // until StopTimer(id), on the dialog's thread. A timer comes only when no
    // input waits, so input and painting stay first.
    virtual void StartTimer(int id, unsigned milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
};

}  // namespace tandrel
