// The Dialog port over a dialog window and its controls.
#pragma once

#include <windows.h>

#include "platform/dialog.h"

namespace tandrel::win32 {

// The dialog procedure of a dialog template of the library.
using DialogProcLookup = DLGPROC (*)(int template_id);

class Win32Dialog final : public Dialog {
  public:
    // Nested dialogs are made from the templates of `instance` with the
    // procedures `procedure_for` finds.
    Win32Dialog(HWND window, HINSTANCE instance, DialogProcLookup procedure_for)
        : window_(window), instance_(instance), procedure_for_(procedure_for) {}
    HWND window() const { return window_; }

    std::string Title() override;
    void SetTitle(const std::string& title) override;
    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override;
    bool TextFits(int id, const std::string& text) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void Enable(int id, bool enabled) override;
    int ItemCount(int id) override;
    std::string ItemText(int id, int index) override;
    void ClearItems(int id) override;
    void AddItem(int id, const std::string& text) override;
    void AddItems(int id, const std::vector<std::string>& texts) override;
    void InsertItem(int id, int index, const std::string& text) override;
    void RemoveItem(int id, int index) override;
    int Selection(int id) override;
    void Select(int id, int index) override;
    int ShowMessage(const std::string& text, unsigned style, MessageOwner owner) override;
    int RunNestedDialog(int template_id, void* exchange) override;
    void End(int code) override;
    void Shrink() override;
    void ShowBusy(bool busy) override;
    void StartTimer(int id, unsigned milliseconds) override;
    void StopTimer(int id) override;

  private:
    bool IsListBox(int id) const;

    HWND window_;
    bool busy_ = false;
    HCURSOR former_cursor_ = nullptr;
    HINSTANCE instance_;
    DialogProcLookup procedure_for_;
};

// The text of a window, whatever its length.
std::string WindowText(HWND window);

}  // namespace tandrel::win32
