#include "testhost/scenario/step_timings.h"

#include <cstdlib>

namespace tandrel::testhost {

StepTimings::StepTimings(const char* variable, std::string scenario_name)
    : scenario_name_(std::move(scenario_name)) {
    const char* path = std::getenv(variable);
    if (path != nullptr && *path != '\0') {
        file_ = std::fopen(path, "ab");
    }
}

StepTimings::~StepTimings() {
    if (file_ != nullptr) {
        (void)std::fclose(file_);
    }
}

void StepTimings::Record(const Step& step, double milliseconds) {
    if (file_ == nullptr) {
        return;
    }
    // A line that cannot be written is missing from the file, which the
    // benchmark's report notices; the run itself goes on.
    (void)std::fprintf(file_, "%s\t%d\t%s\t%.1f\n", scenario_name_.c_str(), step.line,
                       step.text.c_str(), milliseconds);
    (void)std::fflush(file_);
}

void StepClock::Begin(const Step& step) {
    End();
    step_ = &step;
    host_work_at_start_ = host_work_ms_ != nullptr ? host_work_ms_() : 0;
    start_ = std::chrono::steady_clock::now();
}

void StepClock::End() {
    if (step_ == nullptr) {
        return;
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start_;
    wall_.Record(*step_, elapsed.count());
    if (host_work_ms_ != nullptr) {
        host_work_.Record(*step_, host_work_ms_() - host_work_at_start_);
    }
    step_ = nullptr;
}

}  // namespace tandrel::testhost
