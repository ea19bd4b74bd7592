// Work handed from the scenario driver's thread to the host's user-interface
// thread through the main window, as a user's input would arrive there.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include "testhost/win32/host_window.h"

namespace tandrel::testhost {

// The user-interface thread did not answer in time.
struct UiTimeout : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class UiThread {
  public:
    UiThread(HWND main_window, DWORD timeout_ms)
        : main_window_(main_window), timeout_ms_(timeout_ms) {}

    // Runs `work` there without waiting: whatever it opens stays open.
    void Post(std::function<void()> work) const {
        PostMessageA(main_window_, kRunOnUiThread, 0,
                     reinterpret_cast<LPARAM>(new std::function<void()>(std::move(work))));
    }

    // Runs `work` there and returns its result; for reads, which open nothing.
    template <typename Result>
    Result Call(std::function<Result()> work) const {
        auto result = std::make_shared<Result>();
        auto* call = new std::function<void()>([result, work] { *result = work(); });
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(main_window_, kRunOnUiThread, 0, reinterpret_cast<LPARAM>(call),
                                SMTO_NORMAL, timeout_ms_, &ignored) == 0) {
            throw UiTimeout("the host's user-interface thread did not answer");
        }
        return *result;
    }

    HWND main_window() const { return main_window_; }
    DWORD timeout_ms() const { return timeout_ms_; }

  private:
    HWND main_window_;
    DWORD timeout_ms_;
};

}  // namespace tandrel::testhost
