// Times a piece of work beside its floor in the same benchmark: each
// iteration runs both, in turns (which goes first alternates), each after the
// same reset. The benchmark's time is the work's; the counter "floor_ms" is
// the floor's mean. Timed together, both see the same state of the machine
// (caches, page cache, other load), so their ratio holds still where two
// benchmarks run a minute apart drift by more than the margin measured.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

namespace tandrel::bench {

// `reset()` puts the data back, untimed; `floor()` does the least the work
// must do; `work()` does the work and tells whether it succeeded.
template <typename Reset, typename Floor, typename Work>
void TimeBesideFloor(benchmark::State& state, Reset reset, Floor floor, Work work) {
    using Clock = std::chrono::steady_clock;
    double floor_seconds = 0;
    std::int64_t turns = 0;
    for (auto _ : state) {
        double work_seconds = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool floor_turn = (turn == 0) == (turns % 2 == 0);
            reset();
            const auto start = Clock::now();
            bool done = true;
            if (floor_turn) {
                floor();
            } else {
                done = work();
            }
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            if (!done) {
                state.SkipWithError("the work failed");
                return;
            }
            (floor_turn ? floor_seconds : work_seconds) += seconds;
        }
        ++turns;
        state.SetIterationTime(work_seconds);
    }
    state.counters["floor_ms"] =
        benchmark::Counter(turns > 0 ? floor_seconds * 1e3 / static_cast<double>(turns) : 0);
}

}  // namespace tandrel::bench
