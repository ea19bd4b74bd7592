// An in-memory Dialog double built from a dialog layout. It behaves as the
// platform's controls do where presenters rely on it (a drop-down list's text
// is its selected item, selecting in a combo box with an edit sets its text,
// removing the selected item leaves none). Message boxes and nested dialogs
// go to handlers the test or the scenario runner sets.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "support/dialog_layouts.h"

namespace tandrel::testing {

class MemoryDialog final : public Dialog {
  public:
    struct Control {
        ControlKind kind = ControlKind::Static;
        std::string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::string> items;
        int selection = -1;
    };
    using MessageHandler =
        std::function<int(const std::string& text, unsigned style, MessageOwner owner)>;
    using NestedHandler = std::function<int(int template_id, void* exchange)>;

    explicit MemoryDialog(int template_id);

    // The control with this id; a test error (exception) when there is none.
    Control& control(int id);
    bool HasControl(int id) const { return controls_.count(id) != 0; }
    bool IsEnabled(int id) { return control(id).enabled; }
    bool ended() const { return ended_; }
    int end_code() const { return end_code_; }
    bool shrunk() const { return shrunk_; }
    int template_id() const { return template_id_; }
    void set_message_handler(MessageHandler handler) { message_handler_ = std::move(handler); }
    void set_nested_handler(NestedHandler handler) { nested_handler_ = std::move(handler); }

    std::string Title() override { return title_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override { control(id).text = text; }
    bool IsChecked(int id) override { return control(id).checked; }
    void SetChecked(int id, bool checked) override { control(id).checked = checked; }
    void Enable(int id, bool enabled) override { control(id).enabled = enabled; }
    int ItemCount(int id) override { return static_cast<int>(control(id).items.size()); }
    std::string ItemText(int id, int index) override;
    void ClearItems(int id) override;
    void AddItem(int id, const std::string& text) override { control(id).items.push_back(text); }
    void AddItems(int id, const std::vector<std::string>& texts) override {
        control(id).items.insert(control(id).items.end(), texts.begin(), texts.end());
    }
    void InsertItem(int id, int index, const std::string& text) override;
    void RemoveItem(int id, int index) override;
    int Selection(int id) override { return control(id).selection; }
    void Select(int id, int index) override;
    int ShowMessage(const std::string& text, unsigned style, MessageOwner owner) override;
    int RunNestedDialog(int template_id, void* exchange) override;
    void End(int code) override;
    void Shrink() override { shrunk_ = true; }
    // Timers are only noted: the test or the runner calls the presenter's
    // OnTimer for each running one, as a message loop would when idle.
    void ShowBusy(bool busy) override { busy_ = busy; }
    bool busy() const { return busy_; }
    void StartTimer(int id, unsigned /*milliseconds*/) override { timers_.insert(id); }
    void StopTimer(int id) override { timers_.erase(id); }
    // The ids of the timers running, in order.
    std::vector<int> running_timers() const { return {timers_.begin(), timers_.end()}; }

  private:
    int template_id_;
    std::string title_;
    std::map<int, Control> controls_;
    bool ended_ = false;
    int end_code_ = 0;
    bool shrunk_ = false;
    std::set<int> timers_;
    bool busy_ = false;
    MessageHandler message_handler_;
    NestedHandler nested_handler_;
};

}  // namespace tandrel::testing
