#include "testhost/native/scenario_runner.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>

#include <cstdlib>

#include "entry/address_group_presenter.h"
#include "entry/rule_entry_presenter.h"
#include "platform/posix/iconv_charsets.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "platform/strings.h"
#include "resources/resource.h"
#include "settings/drop_gating.h"
#include "settings/plugin_info.h"
#include "settings/settings.h"
#include "setup/check_presenter.h"
#include "setup/rule_history_presenter.h"
#include "setup/setup_presenter.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_tree.h"
#include "testhost/model/host_model.h"
#include "testhost/native/code_page_932.h"
#include "testhost/native/model_host.h"
#include "testhost/scenario/book_check_after_run.h"
#include "testhost/scenario/dialog_steps.h"
#include "testhost/scenario/expectations.h"
#include "testhost/scenario/scenario.h"
#include "testhost/scenario/staging.h"

namespace tandrel::testhost {

namespace {

namespace fs = std::filesystem;
using testing::MemoryDialog;
using testing::MemoryTree;

std::string Quoted(const std::string& text) {
    return HostModel::Quote(text);
}

// An in-memory dialog and its tree as the steps see them; acting on a
// control sends the presenter the notifications a user's input would.
class MemoryDialogView final : public DialogView {
  public:
    MemoryDialogView(MemoryDialog& dialog, MemoryTree& tree, HostModel& model,
                     std::function<void(int, int)> on_command, std::function<void(int)> on_timer)
        : dialog_(dialog),
          tree_(tree),
          model_(model),
          on_command_(std::move(on_command)),
          on_timer_(std::move(on_timer)) {}

    std::string Title() override { return dialog_.Title(); }
    bool HasControl(int id) override { return dialog_.HasControl(id); }
    ControlKind Kind(int id) override { return dialog_.control(id).kind; }
    bool IsEnabled(int id) override { return dialog_.IsEnabled(id); }
    bool IsChecked(int id) override { return dialog_.IsChecked(id); }
    std::string Text(int id) override { return dialog_.Text(id); }
    std::vector<std::string> Items(int id) override { return dialog_.control(id).items; }
    int Selection(int id) override { return dialog_.Selection(id); }
    // The tree as a user sees it after opening every item.
    std::vector<std::string> TreePaths() override {
        tree_.OpenAll();
        return tree_.Paths();
    }
    std::string TreeSelectedPath() override { return tree_.PathOf(tree_.Selected()); }
    std::vector<std::string> TreeButtonPaths() override {
        std::vector<std::string> paths;
        for (const std::string& path : TreePaths()) {
            if (tree_.IsExpandable(tree_.Find(path))) {
                paths.push_back(path);
            }
        }
        return paths;
    }

    void Type(int id, const std::string& text) override {
        dialog_.SetText(id, text);
        const bool combo = Kind(id) == ControlKind::DropDownCombo;
        on_command_(id, combo ? kNotifyComboEditUpdate : kNotifyEditBoxUpdate);
        on_command_(id, combo ? kNotifyComboEditChange : kNotifyEditBoxChange);
    }
    // A combo box with an edit tells of the new selection while its edit
    // still shows the former text, as the platform's does.
    void Choose(int id, int index) override {
        MemoryDialog::Control& control = dialog_.control(id);
        if (control.kind != ControlKind::DropDownCombo) {
            dialog_.Select(id, index);
            on_command_(id, kNotifySelChange);
            return;
        }
        control.selection = index;
        on_command_(id, kNotifySelChange);
        if (control.selection == index) {
            dialog_.Select(id, index);
        }
    }
    void Click(int id) override {
        MemoryDialog::Control& control = dialog_.control(id);
        if (control.kind != ControlKind::PushButton) {
            control.checked = !control.checked;
        }
        const bool rule_entry_ok = id == kIdOk && dialog_.template_id() == IDD_RULE_ENTRY;
        if (rule_entry_ok) {
            model_.RuleEntryOkBegins();
        }
        on_command_(id, kNotifyClicked);
        if (rule_entry_ok) {
            model_.RuleEntryOkEnds();
        }
    }
    bool LetTimersRun() override {
        const std::vector<int> timers = dialog_.running_timers();
        for (const int id : timers) {
            on_timer_(id);
        }
        return !timers.empty();
    }
    std::size_t ReadsSinceOpened() override { return model_.reads_since_dialog_opened(); }
    bool TreeSelect(const std::string& path) override {
        const TreeItem item = tree_.FindOpening(path);
        if (item == kNoTreeItem) {
            return false;
        }
        tree_.Select(item);
        return true;
    }

  private:
    MemoryDialog& dialog_;
    MemoryTree& tree_;
    HostModel& model_;
    std::function<void(int, int)> on_command_;
    std::function<void(int)> on_timer_;
};

// The steps of a scenario, in the code page of the host it asks for. A
// Japanese host reads its names as Shift-JIS, whose second bytes may have
// the code of "\"; natively the rest of it is the same host: only the title
// of its rules dialog depends on it, and the reload calls the model.
struct ScenarioSteps {
    std::vector<Step> steps;
    bool japanese = false;
    HostTexts texts = Utf8HostTexts();
    LeadBytePredicate lead_bytes = kNoLeadBytes;
};

ScenarioSteps ReadScenarioSteps(const fs::path& scenario) {
    std::string error;
    ScenarioSteps read;
    read.steps = ParseSteps(ReadWholeFile(scenario / "steps"), error);
    if (!error.empty()) {
        throw std::runtime_error(error);
    }
    StepCursor start(read.steps);
    read.japanese = TakeStartState(start).japanese;
    if (read.japanese) {
        read.texts = CodePage932Texts();
        read.lead_bytes = IsShiftJisLeadByte;
        ConvertStepTexts(read.steps, read.texts);
    }
    return read;
}

class Run {
  public:
    Run(const fs::path& scenario, const fs::path& work, ScenarioSteps steps)
        : scenario_(scenario),
          data_(WorkFolderOf(work).data),
          settings_path_(WorkFolderOf(work).settings.string()),
          texts_(std::move(steps.texts)),
          lead_bytes_(steps.lead_bytes),
          // The Windows test host's ANSI code page: 932 in the Japanese one,
          // 1252 in the other.
          charsets_(steps.japanese ? "CP932" : "CP1252"),
          files_(lead_bytes_),
          profile_(files_),
          steps_(std::move(steps.steps)) {
        // The names of data/ become the host's code page.
        const WorkFolder folder = StageScenario(scenario, work, texts_.from_utf8);
        model_ = std::make_unique<HostModel>(files_, folder.data.string() + "/",
                                             folder.temp.string() + "/", lead_bytes_);
        host_ = std::make_unique<ModelHost>(*model_);
        settings_ = LoadSettings(profile_, settings_path_);
    }

    void Execute() {
        ApplyStartState(TakeStartState(steps_), *model_);
        while (!steps_.AtEnd()) {
            RunAction(steps_.Next("an action"));
        }
    }

    const std::vector<std::string>& log() const { return model_->log(); }

    void Check() {
        CheckExpectations(scenario_, data_, settings_path_, model_->log(), texts_,
                          DataNames::HostCodePage, model_->data_folder());
        CheckBookAfterRun(files_, profile_, model_->data_folder(), lead_bytes_, scenario_);
        CheckReadsInPlace(model_->misplaced_reads());
    }

  private:
    void RunAction(const Step& step) {
        const std::string& verb = step.verb();
        if (verb == "keys") {
            keys_ = HeldKeys(step);
        } else if (verb == "drop") {
            model_->ActionStarted();
            Drop(Arg(step, 1).text, Arg(step, 2).text, Number(step, 3));
        } else if (verb == "setup") {
            model_->ActionStarted();
            RunModal(IDD_SETUP, nullptr);
            model_->Log("setup -> 1");
        } else if (verb == "info") {
            // As the host reads them from its record: 80-byte fields.
            const PluginInfo info = ShippedPluginInfo();
            const auto field = [](const std::string& text) { return Quoted(text.substr(0, 79)); };
            model_->Log("info " + field(info.name) + " " + field(info.vendor) + " " +
                        field(info.version) + " " + field(info.description));
        } else if (verb == "screenshot") {
            // Only the Wine runner has pixels to save.
        } else {
            FailOutOfPlace(step);
        }
    }

    void Drop(const std::string& target, const std::string& source, int effect) {
        tandrel::Drop drop{target, source};
        const DropDecision decision = DecideDrop(
            settings_, drop, effect,
            [this](DropKey key) {
                return keys_.count(key == DropKey::Ctrl ? "ctrl" : "shift") != 0;
            },
            lead_bytes_);
        if (decision == DropDecision::OpensRuleEntry) {
            RunModal(IDD_RULE_ENTRY, &drop);
        }
        model_->Log(decision == DropDecision::Declined ? "drop -> 0" : "drop -> -1");
    }

    // Runs one dialog; `creation` is what the plug-in passes as the dialog's
    // creation value: the drop, or the group choice of a nested dialog.
    int RunModal(int template_id, void* creation) {
        MemoryDialog dialog(template_id);
        MemoryTree tree;
        std::function<void(int)> on_timer = [](int /*id*/) {};
        // A message box or a nested dialog runs a message loop, in which the
        // dialog's timers fire: each runs once before it is answered.
        const auto run_timers = [&] {
            for (const int id : dialog.running_timers()) {
                on_timer(id);
            }
        };
        dialog.set_message_handler([&](const std::string& text, unsigned style, MessageOwner) {
            run_timers();
            const int answer = CheckMessageStep(steps_.Next("a message box was open"), text, style,
                                                model_->data_folder());
            model_->Log(MessageLogLine(text, style, answer));
            return answer;
        });
        dialog.set_nested_handler([&](int nested_id, void* exchange) {
            run_timers();
            return RunModal(nested_id, exchange);
        });

        const tandrel::Drop no_drop;
        const tandrel::Drop& drop =
            template_id == IDD_RULE_ENTRY ? *static_cast<tandrel::Drop*>(creation) : no_drop;
        GroupChoice no_choice;
        GroupChoice& choice =
            template_id == IDD_ADDRESS_GROUP ? *static_cast<GroupChoice*>(creation) : no_choice;
        RuleEntryContext entry{*host_,      files_,      profile_,    strings_,  settings_,
                               drop.target, drop.source, lead_bytes_, &charsets_};
        AddressGroupContext group{files_, profile_,   strings_, model_->data_folder(),
                                  choice, lead_bytes_};
        SetupContext setup{profile_, settings_path_, settings_, strings_, info_};
        RuleHistoryContext history{*host_, files_, strings_};
        CheckContext check{*host_, files_, profile_, strings_, lead_bytes_};
        std::unique_ptr<RuleEntryPresenter> entry_presenter;
        std::unique_ptr<AddressGroupPresenter> group_presenter;
        std::unique_ptr<SetupPresenter> setup_presenter;
        std::unique_ptr<RuleHistoryPresenter> history_presenter;
        std::unique_ptr<CheckPresenter> check_presenter;
        std::function<void(int, int)> on_command;
        model_->DialogOpened();
        if (template_id == IDD_RULE_ENTRY) {
            entry_presenter = std::make_unique<RuleEntryPresenter>(dialog, entry);
            entry_presenter->Init();
            on_command = [&](int id, int code) { entry_presenter->OnCommand(id, code); };
            on_timer = [&](int id) { entry_presenter->OnTimer(id); };
        } else if (template_id == IDD_ADDRESS_GROUP && creation != nullptr) {
            group_presenter = std::make_unique<AddressGroupPresenter>(dialog, tree, group);
            tree.set_expanding_handler(
                [&](TreeItem item) { group_presenter->OnItemExpanding(item); });
            group_presenter->Init();
            on_command = [&](int id, int code) { group_presenter->OnCommand(id, code); };
        } else if (template_id == IDD_SETUP) {
            setup_presenter = std::make_unique<SetupPresenter>(dialog, setup);
            setup_presenter->Init();
            on_command = [&](int id, int code) { setup_presenter->OnCommand(id, code); };
        } else if (template_id == IDD_RULE_HISTORY) {
            history_presenter = std::make_unique<RuleHistoryPresenter>(dialog, history);
            history_presenter->Init();
            on_command = [&](int id, int code) { history_presenter->OnCommand(id, code); };
        } else if (template_id == IDD_CHECK) {
            check_presenter = std::make_unique<CheckPresenter>(dialog, check);
            check_presenter->Init();
            on_command = [&](int id, int code) { check_presenter->OnCommand(id, code); };
        } else {
            throw std::logic_error("cannot run dialog " + std::to_string(template_id));
        }
        model_->Log("dialog " + Quoted(dialog.Title()));

        CheckDialogOpened(steps_.Next("a dialog was open"), dialog.Title());
        MemoryDialogView view(dialog, tree, *model_, on_command, on_timer);
        while (!dialog.ended()) {
            RunDialogStep(steps_.Next("a dialog was open"), view);
        }
        model_->DialogEnded();
        // A timer still running would fire once more before the window goes.
        run_timers();
        CheckDialogEnded(steps_.Next("waiting for the end of a dialog"), dialog.Title());
        return dialog.end_code();
    }

    fs::path scenario_;
    fs::path data_;
    std::string settings_path_;
    HostTexts texts_;
    LeadBytePredicate lead_bytes_;
    IconvCharsets charsets_;
    PosixFiles files_;
    IniFileProfile profile_;
    BuiltinStrings strings_;
    PluginInfo info_ = ShippedPluginInfo();
    Settings settings_;
    std::unique_ptr<HostModel> model_;
    std::unique_ptr<ModelHost> host_;
    StepCursor steps_;
    std::set<std::string> keys_;
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
        Run run(scenario, work, ReadScenarioSteps(scenario));
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
