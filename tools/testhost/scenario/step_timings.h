// How long each step took, for the UI benchmark: with TANDREL_TIMINGS=FILE a
// runner appends one line per step to FILE,
// "SCENARIO<TAB>LINE<TAB>STEP<TAB>MILLISECONDS", and nothing else.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "testhost/scenario/scenario.h"

namespace tandrel::testhost {

class StepTimings {
  public:
    // Appends to the file named by the environment variable `variable`, if
    // it is set; records nothing otherwise.
    StepTimings(const char* variable, std::string scenario_name);
    ~StepTimings();
    StepTimings(const StepTimings&) = delete;
    StepTimings& operator=(const StepTimings&) = delete;

    bool enabled() const { return file_ != nullptr; }
    void Record(const Step& step, double milliseconds);

  private:
    std::FILE* file_ = nullptr;
    std::string scenario_name_;
};

// Times one step at a time: Begin starts the clock, End records the step
// begun last, once: its wall time in `wall`, and in `host_work` the part of
// it the host spent on its own work, as `host_work_ms` (a running total)
// tells.
class StepClock {
  public:
    StepClock(StepTimings& wall, StepTimings& host_work, double (*host_work_ms)())
        : wall_(wall), host_work_(host_work), host_work_ms_(host_work_ms) {}
    void Begin(const Step& step);
    void End();

  private:
    StepTimings& wall_;
    StepTimings& host_work_;
    double (*host_work_ms_)();
    const Step* step_ = nullptr;
    std::chrono::steady_clock::time_point start_;
    double host_work_at_start_ = 0;
};

}  // namespace tandrel::testhost
