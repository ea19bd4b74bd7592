// A real dialog of the plug-in as the scenario steps see it: its controls
// read, and acted on as a user would, on the user-interface thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "testhost/scenario/dialog_steps.h"
#include "testhost/win32/ui_thread.h"

namespace tandrel::testhost {

class WindowView final : public DialogView {
  public:
    WindowView(const UiThread& ui, HWND dialog,
               std::function<void(HWND, const std::string&)> screenshot)
        : ui_(ui), dialog_(dialog), screenshot_(std::move(screenshot)) {}

    std::string Title() override;
    bool HasControl(int id) override;
    ControlKind Kind(int id) override;
    bool IsEnabled(int id) override;
    bool IsChecked(int id) override;
    std::string Text(int id) override;
    std::vector<std::string> Items(int id) override;
    int Selection(int id) override;
    std::vector<std::string> TreePaths() override;
    std::vector<std::string> TreeButtonPaths() override;
    std::string TreeSelectedPath() override;

    void Type(int id, const std::string& text) override;
    void Choose(int id, int index) override;
    void Click(int id) override;
    bool TreeSelect(const std::string& path) override;
    bool LetTimersRun() override;
    std::size_t ReadsSinceOpened() override;
    void Screenshot(const std::string& name) override { screenshot_(dialog_, name); }

  private:
    const UiThread& ui_;
    HWND dialog_;
    std::function<void(HWND, const std::string&)> screenshot_;
};

// A window's text, read with the ANSI functions.
std::string TextOf(HWND window);

}  // namespace tandrel::testhost
