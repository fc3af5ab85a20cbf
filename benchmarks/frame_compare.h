#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

// Runs the engine's version of a piece of work and a plain version of the same work alternately, so
// that both meet the same machine state, and reports each one's mean time and the ratio engine/plain.
template <class Engine, class Plain>
void CompareWithPlain(benchmark::State& state, Engine engine, Plain plain) {
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> engine_time{0};
    std::chrono::duration<double> plain_time{0};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        engine();
        const Clock::time_point middle = Clock::now();
        plain();
        engine_time += middle - start;
        plain_time += Clock::now() - middle;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["engine_us"] = engine_time.count() * 1e6 / runs;
    state.counters["plain_us"] = plain_time.count() * 1e6 / runs;
    state.counters["engine/plain"] = plain_time.count() > 0 ? engine_time.count() / plain_time.count() : 0;
}

}  // namespace bench
