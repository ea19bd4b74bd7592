#include "scenario_runner.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

#include <cstdlib>

#include "addressbook/address_group_presenter.h"
#include "entry/rule_entry_presenter.h"
#include "host_model.h"
#include "memory_dialog.h"
#include "memory_tree.h"
#include "model_host.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_profile.h"
#include "platform/strings.h"
#include "resources/resource.h"
#include "scenario.h"
#include "setup/setup_presenter.h"
#include "shell/drop_gating.h"
#include "shell/plugin_info.h"
#include "shell/settings.h"

namespace tandrel::testhost {

namespace {

namespace fs = std::filesystem;
using testing::MemoryDialog;
using testing::MemoryTree;

// A step that did not pass: where, and what was seen instead.
struct StepFailure : std::runtime_error {
    StepFailure(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string Quoted(const std::string& text) {
    return HostModel::Quote(text);
}

std::string Joined(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : " ") + Quoted(item);
    }
    return joined.empty() ? "(none)" : joined;
}

// Every file below `root`, relative, with its content.
std::map<std::string, std::string> FilesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).generic_string()] = ReadWhole(entry.path());
        }
    }
    return files;
}

class Run {
  public:
    Run(const fs::path& scenario, const fs::path& work)
        : scenario_(scenario),
          data_(work / "data"),
          settings_path_((work / "plugin" / "Tandrel.ini").string()),
          profile_(files_) {
        fs::create_directories(work / "plugin");
        fs::create_directories(work / "temp");
        if (fs::exists(scenario / "data")) {
            fs::copy(scenario / "data", data_, fs::copy_options::recursive);
        } else {
            fs::create_directories(data_);
        }
        if (fs::exists(scenario / "Tandrel.ini")) {
            fs::copy_file(scenario / "Tandrel.ini", settings_path_);
        }
        model_ = std::make_unique<HostModel>(files_, data_.string() + "/",
                                             (work / "temp").string() + "/");
        host_ = std::make_unique<ModelHost>(*model_);
        settings_ = LoadSettings(profile_, settings_path_);
    }

    void Execute() {
        std::string error;
        steps_ = ParseSteps(ReadWhole(scenario_ / "steps"), error);
        if (!error.empty()) {
            throw std::runtime_error(error);
        }
        ApplyHostState();
        while (next_ < steps_.size()) {
            const Step& step = steps_[next_++];
            RunAction(step);
        }
    }

    const std::vector<std::string>& log() const { return model_->log(); }

    void Check() {
        CheckTree();
        CheckSettingsFile();
        CheckLog();
    }

  private:
    // --- steps ---

    const Step& Next(const char* waiting_for) {
        if (next_ >= steps_.size()) {
            throw StepFailure(steps_.empty() ? 0 : steps_.back().line,
                              std::string("the script ended while ") + waiting_for);
        }
        return steps_[next_++];
    }

    static const Token& Arg(const Step& step, std::size_t index) {
        if (index >= step.tokens.size()) {
            throw StepFailure(step.line, step.verb() + ": an argument is missing");
        }
        return step.tokens[index];
    }

    static int Number(const Step& step, std::size_t index) {
        const Token& token = Arg(step, index);
        try {
            std::size_t used = 0;
            const int value = std::stoi(token.text, &used);
            if (used == token.text.size() && !token.quoted) {
                return value;
            }
        } catch (const std::exception&) {
        }
        throw StepFailure(step.line, "not a number: " + token.text);
    }

    void ApplyHostState() {
        while (next_ < steps_.size() && steps_[next_].verb() == "host") {
            const Step& step = steps_[next_++];
            const std::string what = Arg(step, 1).text;
            if (what == "mailbox") {
                model_->SetMailbox(Arg(step, 2).text);
            } else if (what == "folder") {
                model_->SetFolder(Arg(step, 2).text);
            } else if (what == "mail") {
                model_->SetMail(Arg(step, 2).text);
            } else if (what == "japanese") {
                // Only the rules dialog's title depends on it, and natively
                // the reload calls the model directly.
            } else {
                throw StepFailure(step.line, "unknown host state: " + what);
            }
        }
    }

    void RunAction(const Step& step) {
        const std::string& verb = step.verb();
        if (verb == "keys") {
            keys_.clear();
            for (std::size_t i = 1; i < step.tokens.size(); ++i) {
                keys_.insert(step.tokens[i].text);
            }
        } else if (verb == "drop") {
            Drop(Arg(step, 1).text, Arg(step, 2).text, Number(step, 3));
        } else if (verb == "setup") {
            RunModal(IDD_SETUP, nullptr);
            model_->Log("setup -> 1");
        } else if (verb == "info") {
            // As the host reads them from its record: 80-byte fields.
            const PluginInfo info = ShippedPluginInfo();
            const auto field = [](const std::string& text) { return Quoted(text.substr(0, 79)); };
            model_->Log("info " + field(info.name) + " " + field(info.vendor) + " " +
                        field(info.version) + " " + field(info.description));
        } else if (verb == "host") {
            throw StepFailure(step.line, "host state must stand before the first action");
        } else {
            throw StepFailure(step.line, "no dialog or message box is open for: " + verb);
        }
    }

    void Drop(const std::string& target, const std::string& source, int effect) {
        const bool taken = IsDropTaken(settings_, source, effect, [this](DropKey key) {
            return keys_.count(key == DropKey::Ctrl ? "ctrl" : "shift") != 0;
        });
        if (taken) {
            drop_target_ = target;
            drop_source_ = source;
            if (DropOpensRuleEntry(target)) {
                RunModal(IDD_RULE_ENTRY, nullptr);
            }
        }
        model_->Log(taken ? "drop -> -1" : "drop -> 0");
    }

    // --- dialogs ---

    int RunModal(int template_id, MemoryDialog* owner) {
        MemoryDialog dialog(template_id);
        MemoryTree tree;
        dialog.set_message_handler([this](const std::string& text, unsigned style, MessageOwner) {
            return AnswerMessage(text, style);
        });
        dialog.set_nested_handler(
            [this, &dialog](int nested_id) { return RunModal(nested_id, &dialog); });

        RuleEntryContext entry{*host_,    files_,       profile_,    strings_,
                               settings_, drop_target_, drop_source_};
        AddressGroupContext group{files_, profile_, strings_, model_->data_folder()};
        SetupContext setup{profile_, settings_path_, settings_, strings_, info_};
        std::unique_ptr<RuleEntryPresenter> entry_presenter;
        std::unique_ptr<AddressGroupPresenter> group_presenter;
        std::unique_ptr<SetupPresenter> setup_presenter;
        std::function<void(int, int)> on_command;
        if (template_id == IDD_RULE_ENTRY) {
            entry_presenter = std::make_unique<RuleEntryPresenter>(dialog, entry);
            entry_presenter->Init();
            on_command = [&](int id, int code) { entry_presenter->OnCommand(id, code); };
        } else if (template_id == IDD_ADDRESS_GROUP && owner != nullptr) {
            group_presenter = std::make_unique<AddressGroupPresenter>(dialog, tree, *owner, group);
            group_presenter->Init();
            on_command = [&](int id, int code) { group_presenter->OnCommand(id, code); };
        } else if (template_id == IDD_SETUP) {
            setup_presenter = std::make_unique<SetupPresenter>(dialog, setup);
            setup_presenter->Init();
            on_command = [&](int id, int code) { setup_presenter->OnCommand(id, code); };
        } else {
            throw std::logic_error("cannot run dialog " + std::to_string(template_id));
        }
        model_->Log("dialog " + Quoted(dialog.Title()));

        const Step& opened = Next("a dialog was open");
        if (opened.verb() != "dialog") {
            throw StepFailure(opened.line, "expected " + opened.verb() + ", but the dialog " +
                                               Quoted(dialog.Title()) + " opened");
        }
        if (Arg(opened, 1).text != dialog.Title()) {
            throw StepFailure(opened.line, "the dialog open is titled " + Quoted(dialog.Title()));
        }
        while (!dialog.ended()) {
            DialogStep(Next("a dialog was open"), dialog, tree, on_command);
        }
        const Step& closed = Next("waiting for the end of a dialog");
        if (closed.verb() != "end") {
            throw StepFailure(closed.line, closed.verb() + ": the dialog " +
                                               Quoted(dialog.Title()) + " has closed already");
        }
        return dialog.end_code();
    }

    int AnswerMessage(const std::string& text, unsigned style) {
        const Step& step = Next("a message box was open");
        if (step.verb() != "message") {
            throw StepFailure(
                step.line, "expected " + step.verb() + ", but a message box shows " + Quoted(text));
        }
        if (Arg(step, 1).text != text) {
            throw StepFailure(step.line, "the message box shows " + Quoted(text));
        }
        const int answer = Number(step, 2);
        if (answer != kIdOk && answer != kIdCancel) {
            throw StepFailure(step.line, "a message box is answered with 1 or 2");
        }
        if (answer == kIdCancel && (style & 0x0F) == kMessageOk) {
            throw StepFailure(step.line, "this message box has no Cancel button");
        }
        std::ostringstream line;
        line << "message " << Quoted(text) << " 0x" << std::hex << style << " -> " << std::dec
             << answer;
        model_->Log(line.str());
        return answer;
    }

    static void RequireEnabled(const Step& step, MemoryDialog& dialog, int id) {
        if (!dialog.HasControl(id)) {
            throw StepFailure(step.line, "the dialog has no control " + std::to_string(id));
        }
        if (!dialog.IsEnabled(id)) {
            throw StepFailure(step.line, "control " + std::to_string(id) + " is disabled");
        }
    }

    static void DialogStep(const Step& step, MemoryDialog& dialog, MemoryTree& tree,
                           const std::function<void(int, int)>& on_command) {
        const std::string& verb = step.verb();
        if (verb == "set") {
            const int id = Number(step, 1);
            RequireEnabled(step, dialog, id);
            const ControlKind kind = dialog.control(id).kind;
            if (kind != ControlKind::Edit && kind != ControlKind::DropDownCombo) {
                throw StepFailure(step.line, "control " + std::to_string(id) + " takes no typing");
            }
            dialog.SetText(id, Arg(step, 2).text);
            const bool combo = kind == ControlKind::DropDownCombo;
            on_command(id, combo ? kNotifyEditUpdate : kNotifyEnUpdate);
            on_command(id, combo ? kNotifyEditChange : kNotifyEnChange);
        } else if (verb == "select") {
            const int id = Number(step, 1);
            RequireEnabled(step, dialog, id);
            const Token& which = Arg(step, 2);
            int index = -1;
            if (!which.quoted && which.text.size() > 1 && which.text[0] == '#') {
                index = std::stoi(which.text.substr(1));
            } else {
                for (int i = 0; i < dialog.ItemCount(id); ++i) {
                    if (dialog.ItemText(id, i) == which.text) {
                        index = i;
                        break;
                    }
                }
            }
            if (index < 0 || index >= dialog.ItemCount(id)) {
                throw StepFailure(step.line, "control " + std::to_string(id) + " has no item " +
                                                 which.text + "; it holds " +
                                                 Joined(dialog.control(id).items));
            }
            dialog.Select(id, index);
            on_command(id, kNotifySelChange);
        } else if (verb == "click") {
            const int id = Number(step, 1);
            RequireEnabled(step, dialog, id);
            MemoryDialog::Control& control = dialog.control(id);
            if (control.kind == ControlKind::CheckBox ||
                control.kind == ControlKind::PushLikeCheckBox) {
                control.checked = !control.checked;
            } else if (control.kind != ControlKind::PushButton) {
                throw StepFailure(step.line, "control " + std::to_string(id) + " is no button");
            }
            on_command(id, kNotifyClicked);
        } else if (verb == "tree-select") {
            const TreeItem item = tree.Find(Arg(step, 1).text);
            if (item == kNoTreeItem) {
                throw StepFailure(step.line, "no tree item " + Quoted(Arg(step, 1).text) +
                                                 "; the tree holds " + Joined(tree.Paths()));
            }
            tree.Select(item);
        } else {
            ExpectStep(step, dialog, tree);
        }
    }

    static void ExpectStep(const Step& step, MemoryDialog& dialog, MemoryTree& tree) {
        const std::string& verb = step.verb();
        const auto fail_unless = [&](bool passed, const std::string& saw) {
            if (!passed) {
                throw StepFailure(step.line, verb + ": saw " + saw);
            }
        };
        if (verb == "expect-title") {
            fail_unless(dialog.Title() == Arg(step, 1).text, Quoted(dialog.Title()));
        } else if (verb == "expect-text") {
            const std::string text = dialog.Text(Number(step, 1));
            fail_unless(text == Arg(step, 2).text, Quoted(text));
        } else if (verb == "expect-items") {
            std::vector<std::string> wanted;
            for (std::size_t i = 2; i < step.tokens.size(); ++i) {
                wanted.push_back(step.tokens[i].text);
            }
            const auto& items = dialog.control(Number(step, 1)).items;
            fail_unless(items == wanted, Joined(items));
        } else if (verb == "expect-selected") {
            const int selected = dialog.Selection(Number(step, 1));
            fail_unless(selected == Number(step, 2), std::to_string(selected));
        } else if (verb == "expect-enabled" || verb == "expect-disabled" ||
                   verb == "expect-checked" || verb == "expect-unchecked") {
            for (std::size_t i = 1; i < step.tokens.size(); ++i) {
                const int id = Number(step, i);
                if (!dialog.HasControl(id)) {
                    throw StepFailure(step.line, "the dialog has no control " + std::to_string(id));
                }
                const bool state = verb == "expect-enabled" || verb == "expect-disabled"
                                       ? dialog.IsEnabled(id)
                                       : dialog.IsChecked(id);
                const bool wanted = verb == "expect-enabled" || verb == "expect-checked";
                fail_unless(state == wanted, "control " + std::to_string(id) + " is not so");
            }
        } else if (verb == "expect-tree") {
            std::vector<std::string> wanted;
            for (std::size_t i = 1; i < step.tokens.size(); ++i) {
                wanted.push_back(step.tokens[i].text);
            }
            fail_unless(tree.Paths() == wanted, Joined(tree.Paths()));
        } else if (verb == "expect-tree-selected") {
            const std::string selected = tree.PathOf(tree.Selected());
            fail_unless(selected == Arg(step, 1).text, Quoted(selected));
        } else if (verb == "end") {
            throw StepFailure(step.line, "the dialog " + Quoted(dialog.Title()) + " is still open");
        } else if (verb == "message") {
            throw StepFailure(step.line, "no message box is open");
        } else if (verb == "dialog") {
            throw StepFailure(step.line,
                              "no other dialog opened; " + Quoted(dialog.Title()) + " is open");
        } else {
            throw StepFailure(step.line, "unknown step " + verb);
        }
    }

    // --- expectations ---

    void CheckTree() {
        if (!fs::exists(scenario_ / "expect")) {
            return;
        }
        const auto wanted = FilesBelow(scenario_ / "expect");
        const auto got = FilesBelow(data_);
        std::string problems;
        for (const auto& [name, content] : wanted) {
            const auto found = got.find(name);
            if (found == got.end()) {
                problems += "\n  missing: " + name;
            } else if (found->second != content) {
                problems += "\n  differs: " + name + "\n    expected " + Quoted(content) +
                            "\n    found    " + Quoted(found->second);
            }
        }
        for (const auto& [name, content] : got) {
            if (wanted.count(name) == 0) {
                problems += "\n  not expected: " + name + " " + Quoted(content);
            }
        }
        if (!problems.empty()) {
            throw std::runtime_error("expect/: the data folder differs:" + problems);
        }
    }

    void CheckSettingsFile() {
        const fs::path expected = scenario_ / "expect.ini";
        if (!fs::exists(expected)) {
            return;
        }
        const std::string wanted = ReadWhole(expected);
        const bool exists = fs::exists(settings_path_);
        if (wanted == "absent" || wanted == "absent\n") {
            if (exists) {
                throw std::runtime_error("expect.ini: the settings file exists: " +
                                         Quoted(ReadWhole(settings_path_)));
            }
            return;
        }
        const std::string got = exists ? ReadWhole(settings_path_) : std::string("(no file)");
        if (got != wanted) {
            throw std::runtime_error("expect.ini: expected " + Quoted(wanted) + "\n  found " +
                                     Quoted(got));
        }
    }

    void CheckLog() {
        const fs::path expected = scenario_ / "expect.log";
        if (!fs::exists(expected)) {
            return;
        }
        std::istringstream lines(ReadWhole(expected));
        const std::vector<std::string>& log = model_->log();
        std::size_t at = 0;
        std::string wanted;
        int line_number = 0;
        while (std::getline(lines, wanted)) {
            ++line_number;
            if (!wanted.empty() && wanted.back() == '\r') {
                wanted.pop_back();
            }
            if (wanted.empty()) {
                continue;
            }
            while (at < log.size() && log[at] != wanted) {
                ++at;
            }
            if (at == log.size()) {
                std::string seen;
                for (const std::string& entry : log) {
                    seen += "\n  " + entry;
                }
                throw std::runtime_error("expect.log line " + std::to_string(line_number) +
                                         ": not in the log (in this order): " + wanted +
                                         "\nthe log:" + seen);
            }
            ++at;
        }
    }

    fs::path scenario_;
    fs::path data_;
    std::string settings_path_;
    PosixFiles files_;
    PosixProfile profile_;
    BuiltinStrings strings_;
    PluginInfo info_ = ShippedPluginInfo();
    Settings settings_;
    std::unique_ptr<HostModel> model_;
    std::unique_ptr<ModelHost> host_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::set<std::string> keys_;
    std::string drop_target_;
    std::string drop_source_;
};

}  // namespace

ScenarioResult RunScenario(const std::string& scenario_dir) {
    const fs::path scenario = fs::absolute(scenario_dir);
    std::string work_template = (fs::temp_directory_path() / "tandrel-scenario-XXXXXX").string();
    if (::mkdtemp(work_template.data()) == nullptr) {
        return {false, "cannot make a work folder", {}, {}};
    }
    const fs::path work = work_template;
    ScenarioResult result;
    result.passed = true;
    try {
        if (!fs::exists(scenario / "steps")) {
            throw std::runtime_error("no steps file");
        }
        Run run(scenario, work);
        try {
            run.Execute();
            run.Check();
        } catch (const std::exception&) {
            result.log = run.log();
            throw;
        }
        result.log = run.log();
    } catch (const std::exception& failure) {
        result.passed = false;
        result.message = failure.what();
    }
    // TANDREL_KEEP_WORK=1 leaves the work folder for a look at what the run did.
    if (std::getenv("TANDREL_KEEP_WORK") != nullptr) {
        result.work_folder = work.string();
    } else {
        std::error_code ignored;
        fs::remove_all(work, ignored);
    }
    return result;
}

}  // namespace tandrel::testhost
