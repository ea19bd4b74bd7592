// Runs a scenario's actions against the real plug-in from a thread of its
// own: actions and user input are handed to the user-interface thread, and
// each modal window the plug-in opens there is met by the steps that follow,
// with a time-out on every wait.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "testhost/scenario/scenario.h"
#include "testhost/scenario/step_timings.h"
#include "testhost/win32/plugin.h"
#include "testhost/win32/ui_thread.h"
#include "testhost/win32/window_watch.h"

namespace tandrel::testhost {

struct DriverResult {
    bool passed = false;
    std::string message;
};

class ScenarioDriver {
  public:
    // `scenario_name` names the scenario in the step timings.
    ScenarioDriver(StepCursor steps, const Plugin& plugin, HWND main_window, DWORD timeout_ms,
                   std::string screenshot_folder, const std::string& scenario_name);
    ~ScenarioDriver();
    ScenarioDriver(const ScenarioDriver&) = delete;
    ScenarioDriver& operator=(const ScenarioDriver&) = delete;

    // Starts the driver thread; the user-interface thread then runs its
    // message loop until the driver is done.
    bool Start();
    // Called by the user-interface thread once its message loop has ended;
    // waits for the driver thread.
    void Finish();
    const DriverResult& result() const { return result_; }

  private:
    static DWORD WINAPI ThreadMain(LPVOID self);
    void Run();
    void RunAction(const Step& step);
    void Drop(const Step& step);
    void AwaitAction(const Step& step);
    void Handle(const WatchedWindow& window);
    void HandleDialog(HWND dialog);
    void HandleMessageBox(const WatchedWindow& box);
    void SettleWithin(HWND window, int line);
    void Settle();
    bool IsSettled() const;  // on the user-interface thread
    void CloseEverything();
    void SaveScreenshot(HWND window, const std::string& name) const;
    std::string DescribeStall() const;

    StepCursor steps_;
    Plugin plugin_;
    UiThread ui_;
    std::string screenshot_folder_;
    std::set<std::string> keys_;
    StepTimings wall_timings_;
    StepTimings host_timings_;
    StepClock clock_;
    HANDLE thread_ = nullptr;
    HANDLE ack_event_ = nullptr;
    HANDLE ui_finished_ = nullptr;
    volatile LONG next_sync_ = 0;
    volatile LONG acknowledged_ = 0;
    volatile LONG action_done_ = 1;
    DriverResult result_;
};

}  // namespace tandrel::testhost
