// The steps that act on or look at an open dialog, and the checks of a
// dialog's opening, its end and a message box, shared by both runners. Each
// runner shows its dialogs through a DialogView: in-memory controls natively,
// the real windows under Wine.
#pragma once

#include <string>
#include <vector>

#include "support/dialog_layouts.h"
#include "testhost/scenario/scenario.h"

namespace tandrel::testhost {

// What a step sees of, and does to, the dialog open.
class DialogView {
  public:
    virtual ~DialogView() = default;

    virtual std::string Title() = 0;
    virtual bool HasControl(int id) = 0;
    virtual ControlKind Kind(int id) = 0;
    virtual bool IsEnabled(int id) = 0;
    virtual bool IsChecked(int id) = 0;
    virtual std::string Text(int id) = 0;
    virtual std::vector<std::string> Items(int id) = 0;
    virtual int Selection(int id) = 0;
    virtual std::vector<std::string> TreePaths() = 0;
    // The paths of the items that show an expand button, after opening every
    // item as TreePaths does.
    virtual std::vector<std::string> TreeButtonPaths() = 0;
    virtual std::string TreeSelectedPath() = 0;

    // As a user does it: typing into an edit (with its notifications),
    // choosing an item (with the selection-change notification), clicking a
    // button or check box, selecting a tree item by its path (false: none).
    virtual void Type(int id, const std::string& text) = 0;
    virtual void Choose(int id, int index) = 0;
    virtual void Click(int id) = 0;
    virtual bool TreeSelect(const std::string& path) = 0;

    // Lets the dialog's timers run a while: natively each running timer runs
    // once (false when none runs, so nothing can change); under Wine the
    // dialog runs them itself and the view waits a moment.
    virtual bool LetTimersRun() = 0;
    // How many messages the plug-in read since the action that opened the
    // outermost dialog (a drop, Setup) started.
    virtual std::size_t ReadsSinceOpened() = 0;

    // Saves a picture of the dialog as it is shown, where there is one.
    virtual void Screenshot(const std::string& /*name*/) {}
};

// Runs one step inside an open dialog: set, select, click, tree-select,
// screenshot, wait-text or an expect-* step. Any other verb fails, saying why it is out of place.
void RunDialogStep(const Step& step, DialogView& view);

// The "dialog" step that must follow the opening of a dialog titled `title`.
void CheckDialogOpened(const Step& step, const std::string& title);

// The "end" step that must follow a dialog's closing.
void CheckDialogEnded(const Step& step, const std::string& title);

// The "message" step for a message box showing `text` with `style`; returns
// the answer it gives (1 or 2). "{data folder}" in the step's text stands for
// `data_folder`.
int CheckMessageStep(const Step& step, const std::string& text, unsigned style,
                     const std::string& data_folder);

// The host-log line of an answered message box.
std::string MessageLogLine(const std::string& text, unsigned style, int answer);

}  // namespace tandrel::testhost
