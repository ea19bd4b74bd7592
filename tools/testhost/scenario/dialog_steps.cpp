#include "testhost/scenario/dialog_steps.h"

#include <chrono>
#include <sstream>

#include "platform/dialog.h"
#include "testhost/model/host_model.h"

namespace tandrel::testhost {

namespace {

std::string Quoted(const std::string& text) {
    return HostModel::Quote(text);
}

std::vector<std::string> QuotedArguments(const Step& step, std::size_t first) {
    std::vector<std::string> texts;
    for (std::size_t i = first; i < step.tokens.size(); ++i) {
        texts.push_back(step.tokens[i].text);
    }
    return texts;
}

void RequireEnabled(const Step& step, DialogView& view, int id) {
    if (!view.HasControl(id)) {
        throw StepFailure(step.line, "the dialog has no control " + std::to_string(id));
    }
    if (!view.IsEnabled(id)) {
        throw StepFailure(step.line, "control " + std::to_string(id) + " is disabled");
    }
}

void Set(const Step& step, DialogView& view) {
    const int id = Number(step, 1);
    RequireEnabled(step, view, id);
    const ControlKind kind = view.Kind(id);
    if (kind != ControlKind::Edit && kind != ControlKind::DropDownCombo) {
        throw StepFailure(step.line, "control " + std::to_string(id) + " takes no typing");
    }
    view.Type(id, Arg(step, 2).text);
}

void Select(const Step& step, DialogView& view) {
    const int id = Number(step, 1);
    RequireEnabled(step, view, id);
    const Token& which = Arg(step, 2);
    const std::vector<std::string> items = view.Items(id);
    int index = -1;
    if (!which.quoted && which.text.size() > 1 && which.text[0] == '#') {
        index = std::stoi(which.text.substr(1));
    } else {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == which.text) {
                index = static_cast<int>(i);
                break;
            }
        }
    }
    if (index < 0 || index >= static_cast<int>(items.size())) {
        throw StepFailure(step.line, "control " + std::to_string(id) + " has no item " +
                                         which.text + "; it holds " + JoinedQuoted(items));
    }
    view.Choose(id, index);
}

// Lets the dialog's timers run until the control shows the text ("*" for
// any run of characters), for 20 seconds at the most.
void WaitText(const Step& step, DialogView& view) {
    constexpr std::chrono::seconds kLongest{20};
    const int id = Number(step, 1);
    const std::string& wanted = Arg(step, 2).text;
    const auto deadline = std::chrono::steady_clock::now() + kLongest;
    for (;;) {
        const std::string text = view.Text(id);
        if (MatchesWithStars(wanted, text)) {
            return;
        }
        if (!view.LetTimersRun() || std::chrono::steady_clock::now() >= deadline) {
            throw StepFailure(step.line, "wait-text: control " + std::to_string(id) +
                                             " still shows " + Quoted(text));
        }
    }
}

void Click(const Step& step, DialogView& view) {
    const int id = Number(step, 1);
    RequireEnabled(step, view, id);
    const ControlKind kind = view.Kind(id);
    if (kind != ControlKind::CheckBox && kind != ControlKind::PushLikeCheckBox &&
        kind != ControlKind::PushButton) {
        throw StepFailure(step.line, "control " + std::to_string(id) + " is no button");
    }
    view.Click(id);
}

void Expect(const Step& step, DialogView& view) {
    const std::string& verb = step.verb();
    const auto fail_unless = [&](bool passed, const std::string& saw) {
        if (!passed) {
            throw StepFailure(step.line, verb + ": saw " + saw);
        }
    };
    if (verb == "expect-title") {
        const std::string title = view.Title();
        fail_unless(title == Arg(step, 1).text, Quoted(title));
    } else if (verb == "expect-reads") {
        const std::size_t reads = view.ReadsSinceOpened();
        fail_unless(reads == static_cast<std::size_t>(Number(step, 1)), std::to_string(reads));
    } else if (verb == "expect-text") {
        const std::string text = view.Text(Number(step, 1));
        fail_unless(text == Arg(step, 2).text, Quoted(text));
    } else if (verb == "expect-items") {
        const std::vector<std::string> items = view.Items(Number(step, 1));
        const std::vector<std::string> wanted = QuotedArguments(step, 2);
        bool same = items.size() == wanted.size();
        for (std::size_t i = 0; same && i < items.size(); ++i) {
            same = MatchesWithTimes(wanted[i], items[i]);
        }
        fail_unless(same, JoinedQuoted(items));
    } else if (verb == "expect-selected") {
        const int selected = view.Selection(Number(step, 1));
        fail_unless(selected == Number(step, 2), std::to_string(selected));
    } else if (verb == "expect-enabled" || verb == "expect-disabled" || verb == "expect-checked" ||
               verb == "expect-unchecked") {
        const bool about_enabling = verb == "expect-enabled" || verb == "expect-disabled";
        const bool wanted = verb == "expect-enabled" || verb == "expect-checked";
        for (std::size_t i = 1; i < step.tokens.size(); ++i) {
            const int id = Number(step, i);
            if (!view.HasControl(id)) {
                throw StepFailure(step.line, "the dialog has no control " + std::to_string(id));
            }
            const bool state = about_enabling ? view.IsEnabled(id) : view.IsChecked(id);
            fail_unless(state == wanted, "control " + std::to_string(id) + " is not so");
        }
    } else if (verb == "expect-tree") {
        const std::vector<std::string> paths = view.TreePaths();
        fail_unless(paths == QuotedArguments(step, 1), JoinedQuoted(paths));
    } else if (verb == "expect-tree-buttons") {
        const std::vector<std::string> paths = view.TreeButtonPaths();
        fail_unless(paths == QuotedArguments(step, 1), JoinedQuoted(paths));
    } else if (verb == "expect-tree-selected") {
        const std::string selected = view.TreeSelectedPath();
        fail_unless(selected == Arg(step, 1).text, Quoted(selected));
    } else if (verb == "end") {
        throw StepFailure(step.line, "the dialog " + Quoted(view.Title()) + " is still open");
    } else if (verb == "message") {
        throw StepFailure(step.line, "no message box is open");
    } else if (verb == "dialog") {
        throw StepFailure(step.line,
                          "no other dialog opened; " + Quoted(view.Title()) + " is open");
    } else {
        throw StepFailure(step.line, "unknown step " + verb);
    }
}

}  // namespace

void RunDialogStep(const Step& step, DialogView& view) {
    const std::string& verb = step.verb();
    if (verb == "set") {
        Set(step, view);
    } else if (verb == "select") {
        Select(step, view);
    } else if (verb == "click") {
        Click(step, view);
    } else if (verb == "wait-text") {
        WaitText(step, view);
    } else if (verb == "screenshot") {
        view.Screenshot(Arg(step, 1).text);
    } else if (verb == "tree-select") {
        if (!view.TreeSelect(Arg(step, 1).text)) {
            throw StepFailure(step.line, "no tree item " + Quoted(Arg(step, 1).text) +
                                             "; the tree holds " + JoinedQuoted(view.TreePaths()));
        }
    } else {
        Expect(step, view);
    }
}

void CheckDialogOpened(const Step& step, const std::string& title) {
    if (step.verb() != "dialog") {
        throw StepFailure(
            step.line, "expected " + step.verb() + ", but the dialog " + Quoted(title) + " opened");
    }
    if (Arg(step, 1).text != title) {
        throw StepFailure(step.line, "the dialog open is titled " + Quoted(title));
    }
}

void CheckDialogEnded(const Step& step, const std::string& title) {
    if (step.verb() != "end") {
        throw StepFailure(step.line,
                          step.verb() + ": the dialog " + Quoted(title) + " has closed already");
    }
}

int CheckMessageStep(const Step& step, const std::string& text, unsigned style,
                     const std::string& data_folder) {
    if (step.verb() != "message") {
        throw StepFailure(step.line,
                          "expected " + step.verb() + ", but a message box shows " + Quoted(text));
    }
    if (WithDataFolder(Arg(step, 1).text, data_folder) != text) {
        throw StepFailure(step.line, "the message box shows " + Quoted(text));
    }
    const int answer = Number(step, 2);
    if (answer != kIdOk && answer != kIdCancel) {
        throw StepFailure(step.line, "a message box is answered with 1 or 2");
    }
    if (answer == kIdCancel && (style & 0x0F) == kMessageOk) {
        throw StepFailure(step.line, "this message box has no Cancel button");
    }
    return answer;
}

std::string MessageLogLine(const std::string& text, unsigned style, int answer) {
    std::ostringstream line;
    line << "message " << Quoted(text) << " 0x" << std::hex << style << " -> " << std::dec
         << answer;
    return line.str();
}

}  // namespace tandrel::testhost
