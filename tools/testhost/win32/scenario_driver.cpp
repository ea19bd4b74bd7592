#include "testhost/win32/scenario_driver.h"

#include <cstdio>

#include "testhost/model/host_model.h"
#include "testhost/scenario/dialog_steps.h"
#include "testhost/win32/host_state.h"
#include "testhost/win32/host_work.h"
#include "testhost/win32/screenshot.h"
#include "testhost/win32/window_view.h"

namespace tandrel::testhost {

namespace {

constexpr DWORD kPollMs = 10;

// The key state a drop is made with, as GetKeyState then reports it.
void HoldKeys(bool ctrl, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

ScenarioDriver::ScenarioDriver(StepCursor steps, const Plugin& plugin, HWND main_window,
                               DWORD timeout_ms, std::string screenshot_folder,
                               const std::string& scenario_name)
    : steps_(std::move(steps)),
      plugin_(plugin),
      ui_(main_window, timeout_ms),
      screenshot_folder_(std::move(screenshot_folder)),
      wall_timings_("TANDREL_TIMINGS", scenario_name),
      host_timings_("TANDREL_HOST_TIMINGS", scenario_name),
      clock_(wall_timings_, host_timings_, HostWorkMilliseconds),
      ack_event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      ui_finished_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    SetSyncHandler([this](WPARAM number) {
        if (!IsSettled()) {
            return false;
        }
        InterlockedExchange(&acknowledged_, static_cast<LONG>(number));
        SetEvent(ack_event_);
        return true;
    });
}

ScenarioDriver::~ScenarioDriver() {
    SetSyncHandler(nullptr);
    for (HANDLE handle : {thread_, ack_event_, ui_finished_}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
}

bool ScenarioDriver::Start() {
    thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    return thread_ != nullptr;
}

void ScenarioDriver::Finish() {
    SetEvent(ui_finished_);
    WaitForSingleObject(thread_, INFINITE);
}

DWORD WINAPI ScenarioDriver::ThreadMain(LPVOID self) {
    auto* driver = static_cast<ScenarioDriver*>(self);
    try {
        driver->Run();
        driver->result_.passed = true;
    } catch (const std::exception& failure) {
        driver->result_.message = failure.what();
        try {
            driver->CloseEverything();
        } catch (const std::exception&) {
        }
    }
    PostMessageA(driver->ui_.main_window(), kDriverDone, 0, 0);
    // A user-interface thread that never comes back cannot end the run itself.
    if (WaitForSingleObject(driver->ui_finished_, driver->ui_.timeout_ms()) != WAIT_OBJECT_0) {
        std::printf("FAILED: %s\n  and the host's user-interface thread did not come back\n",
                    driver->result_.message.c_str());
        std::fflush(stdout);
        ExitProcess(1);
    }
    return 0;
}

void ScenarioDriver::Run() {
    while (!steps_.AtEnd()) {
        RunAction(steps_.Next("an action"));
    }
    Settle();
}

// A step's time ends when the host has settled again: at once for keys and
// info, else when the window it opened is shown and idle, or when it is done.
void ScenarioDriver::RunAction(const Step& step) {
    clock_.Begin(step);
    const std::string& verb = step.verb();
    if (verb == "keys") {
        keys_ = HeldKeys(step);
    } else if (verb == "drop") {
        Drop(step);
    } else if (verb == "setup") {
        InterlockedExchange(&action_done_, 0);
        const Plugin plugin = plugin_;
        volatile LONG* done = &action_done_;
        HWND main = ui_.main_window();
        ui_.Post([plugin, done, main] {
            Host().model->ActionStarted();
            const int result = plugin.on_plugin_setup(main);
            Host().model->Log("setup -> " + std::to_string(result));
            InterlockedExchange(done, 1);
        });
        AwaitAction(step);
    } else if (verb == "info") {
        const Plugin plugin = plugin_;
        ui_.Call<bool>([plugin] {
            char record[win32::kInfoRecordSize] = {};
            plugin.on_plugin_info(record);
            std::string line = "info";
            for (int i = 0; i < win32::kInfoFieldCount; ++i) {
                const char* field = record + i * win32::kInfoFieldSize;
                line += " " +
                        HostModel::Quote(std::string(field, strnlen(field, win32::kInfoFieldSize)));
            }
            Host().model->Log(line);
            return true;
        });
    } else if (verb == "screenshot") {
        Settle();
        SaveScreenshot(ui_.main_window(), Arg(step, 1).text);
    } else {
        FailOutOfPlace(step);
    }
    clock_.End();
}

void ScenarioDriver::Drop(const Step& step) {
    const std::string target = Arg(step, 1).text;
    const std::string source = Arg(step, 2).text;
    const auto effect = static_cast<DWORD>(Number(step, 3));
    const bool ctrl = keys_.count("ctrl") != 0;
    const bool shift = keys_.count("shift") != 0;
    InterlockedExchange(&action_done_, 0);
    const Plugin plugin = plugin_;
    volatile LONG* done = &action_done_;
    ui_.Post([plugin, done, target, source, effect, ctrl, shift] {
        // The drag came from the message list, so the folder tree is not the
        // active pane until something activates it.
        Host().tree_active = false;
        Host().model->ActionStarted();
        HoldKeys(ctrl, shift);
        const int result = plugin.on_drag_drop(target.c_str(), source.c_str(), 0, effect);
        HoldKeys(false, false);
        Host().model->Log("drop -> " + std::to_string(result));
        InterlockedExchange(done, 1);
    });
    AwaitAction(step);
}

void ScenarioDriver::AwaitAction(const Step& step) {
    const DWORD start = GetTickCount();
    for (;;) {
        Settle();
        if (action_done_ != 0) {
            clock_.End();
            return;
        }
        const std::optional<WatchedWindow> top = TopWindow();
        if (top && !top->handled) {
            clock_.End();
            Handle(*top);
            continue;
        }
        if (GetTickCount() - start > ui_.timeout_ms()) {
            throw StepFailure(step.line, step.verb() + " did not come back: " + DescribeStall());
        }
        Sleep(kPollMs);
    }
}

void ScenarioDriver::Handle(const WatchedWindow& window) {
    MarkHandled(window.window);
    if (window.message_box) {
        HandleMessageBox(window);
    } else {
        HandleDialog(window.window);
    }
}

void ScenarioDriver::HandleDialog(HWND dialog) {
    const std::string title = ui_.Call<std::string>([dialog] {
        const std::string text = TextOf(dialog);
        Host().model->DialogOpened();
        Host().model->Log("dialog " + HostModel::Quote(text));
        return text;
    });
    const Step& opened = steps_.Next("a dialog was open");
    clock_.Begin(opened);
    CheckDialogOpened(opened, title);
    clock_.End();
    WindowView view(ui_, dialog,
                    [this](HWND window, const std::string& name) { SaveScreenshot(window, name); });
    while (IsAlive(dialog)) {
        const Step& step = steps_.Next("a dialog was open");
        clock_.Begin(step);
        RunDialogStep(step, view);
        SettleWithin(dialog, step.line);
    }
    ui_.Call<bool>([] {
        Host().model->DialogEnded();
        return true;
    });
    const Step& ended = steps_.Next("waiting for the end of a dialog");
    clock_.Begin(ended);
    CheckDialogEnded(ended, title);
    clock_.End();
}

void ScenarioDriver::HandleMessageBox(const WatchedWindow& box) {
    const Step& step = steps_.Next("a message box was open");
    clock_.Begin(step);
    const int answer = CheckMessageStep(step, box.text, box.style, Host().model->data_folder());
    HWND window = box.window;
    const bool clicked = ui_.Call<bool>([window, answer] {
        HWND button = GetDlgItem(window, answer);
        if (button == nullptr) {
            return false;
        }
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    });
    if (!clicked) {
        throw StepFailure(step.line, "the message box has no button " + std::to_string(answer));
    }
    SettleWithin(window, step.line);
    if (IsAlive(window)) {
        throw StepFailure(step.line, "the message box did not close: " + DescribeStall());
    }
}

// Waits until the user-interface thread is settled with `window` on top or
// closed, meeting every window that opens above it on the way.
void ScenarioDriver::SettleWithin(HWND window, int line) {
    const DWORD start = GetTickCount();
    for (;;) {
        Settle();
        const std::optional<WatchedWindow> top = TopWindow();
        if (top && top->window != window && !top->handled) {
            clock_.End();
            Handle(*top);
            continue;
        }
        if (!IsAlive(window) || (top && top->window == window)) {
            clock_.End();
            return;
        }
        if (GetTickCount() - start > ui_.timeout_ms()) {
            throw StepFailure(line, "the host did not settle: " + DescribeStall());
        }
        Sleep(kPollMs);
    }
}

// Returns once the user-interface thread has taken a request posted now:
// everything posted before it has been handled, or has opened a modal
// window whose loop is waiting for input.
void ScenarioDriver::Settle() {
    const LONG number = InterlockedIncrement(&next_sync_);
    PostMessageA(ui_.main_window(), kSyncRequest, static_cast<WPARAM>(number), 0);
    const DWORD start = GetTickCount();
    while (acknowledged_ < number) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ui_.timeout_ms()) {
            throw UiTimeout("line " + std::to_string(steps_.LastLine()) +
                            ": the host did not settle: " + DescribeStall());
        }
        WaitForSingleObject(ack_event_, ui_.timeout_ms() - elapsed);
    }
}

// Not while the host's rules dialog is open (it must close by itself), and
// not while the newest window of the plug-in is still waiting to be shown.
bool ScenarioDriver::IsSettled() const {
    if (Host().rules_dialog != nullptr) {
        return false;
    }
    const std::optional<WatchedWindow> top = TopWindow();
    return !top || IsWindowVisible(top->window) != FALSE;
}

std::string ScenarioDriver::DescribeStall() const {
    HWND rules = Host().rules_dialog;
    if (rules != nullptr) {
        return std::string("the host's rules dialog is still open") +
               (IsWindowVisible(rules) != FALSE ? " and visible" : " (hidden)");
    }
    const std::optional<WatchedWindow> top = TopWindow();
    if (top) {
        return "a window of the plug-in is open: " + HostModel::Quote(TextOf(top->window));
    }
    return "the host is busy";
}

// After a failure: ends every window that is still open, the newest first,
// without pressing anything in it, until the action has come back.
void ScenarioDriver::CloseEverything() {
    for (int round = 0; round < 20 && action_done_ == 0; ++round) {
        ui_.Post([] {
            for (HWND window : LiveWindows()) {
                EndDialog(window, IDCANCEL);
            }
            if (Host().rules_dialog != nullptr) {
                EndDialog(Host().rules_dialog, IDCANCEL);
            }
        });
        Sleep(100);
    }
}

void ScenarioDriver::SaveScreenshot(HWND window, const std::string& name) const {
    if (screenshot_folder_.empty()) {
        return;
    }
    // Let the window paint first.
    ui_.Call<bool>([window] { return UpdateWindow(window) != FALSE; });
    Sleep(200);
    const std::string path = screenshot_folder_ + "\\" + name + ".bmp";
    const bool saved = ui_.Call<bool>([window, path] { return SaveWindowPicture(window, path); });
    if (!saved) {
        throw std::runtime_error("cannot save the picture " + path);
    }
}

}  // namespace tandrel::testhost
