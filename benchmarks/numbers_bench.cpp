// Reading numbers from attribute texts the way loading code does, against the C library's readers in
// the same run. Each reports engine_us, plain_us and engine/plain.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "benchmarks/frame_compare.h"
#include "vantle/core/strutils.h"
#include "vantle/core/value.h"

namespace {

// What effect and font files hold: counts, times, codes, sizes.
const std::vector<std::string> kWholeNumbers = {"0",    "1",  "12", "255",  "800",
                                                "1500", "65", "32", "4096", "7"};
const std::vector<std::string> kFractions = {"0.5", "1", "-2.25", "0.0125", "800", "3.14159", "1e-3", "12.5"};
const std::vector<std::string> kHex = {"ff", "80", "00", "c0ffee", "7F", "1a"};

void BM_UnsignedNumbers(benchmark::State& state) {
    unsigned int total = 0;
    bench::CompareWithPlain(
        state,
        [&] {
            for (const std::string& text : kWholeNumbers) total += core::str2unsigned(text);
        },
        [&] {
            for (const std::string& text : kWholeNumbers)
                total += static_cast<unsigned int>(std::strtoul(text.c_str(), nullptr, 10));
        });
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kWholeNumbers.size()));
}
BENCHMARK(BM_UnsignedNumbers)->Unit(benchmark::kMicrosecond);

void BM_SignedNumbers(benchmark::State& state) {
    int total = 0;
    bench::CompareWithPlain(
        state,
        [&] {
            for (const std::string& text : kWholeNumbers) total += core::str2int(text);
        },
        [&] {
            for (const std::string& text : kWholeNumbers)
                total += static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
        });
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kWholeNumbers.size()));
}
BENCHMARK(BM_SignedNumbers)->Unit(benchmark::kMicrosecond);

void BM_HexNumbers(benchmark::State& state) {
    unsigned int total = 0;
    bench::CompareWithPlain(
        state,
        [&] {
            for (const std::string& text : kHex) total += core::hex2unsigned(text);
        },
        [&] {
            for (const std::string& text : kHex)
                total += static_cast<unsigned int>(std::strtoul(text.c_str(), nullptr, 16));
        });
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kHex.size()));
}
BENCHMARK(BM_HexNumbers)->Unit(benchmark::kMicrosecond);

void BM_FloatNumbers(benchmark::State& state) {
    float total = 0;
    bench::CompareWithPlain(
        state,
        [&] {
            for (const std::string& text : kFractions) total += core::str2float(text);
        },
        [&] {
            for (const std::string& text : kFractions) total += std::strtof(text.c_str(), nullptr);
        });
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFractions.size()));
}
BENCHMARK(BM_FloatNumbers)->Unit(benchmark::kMicrosecond);

// Settings and options hold their numbers as text in tagged values.
void BM_ValueNumbers(benchmark::State& state) {
    std::vector<core::Value> values(kFractions.begin(), kFractions.end());
    double total = 0;
    bench::CompareWithPlain(
        state,
        [&] {
            for (const core::Value& value : values) total += value.as_double() + value.as_int32();
        },
        [&] {
            for (const std::string& text : kFractions)
                total += std::strtod(text.c_str(), nullptr) + std::strtol(text.c_str(), nullptr, 10);
        });
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kFractions.size()));
}
BENCHMARK(BM_ValueNumbers)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
