#!/usr/bin/env bash
# Fuzzes one reader with libFuzzer: installs clang and its fuzzing runtime if missing, builds the fuzz
# targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of their own, and
# runs the target on a copy of its committed corpus. What the run finds stays beside that copy: new
# inputs in corpus/, failing inputs in artifacts/ (commit those that stay meaningful as reproducers in
# tests/fuzz/repro/TARGET).
#
# Usage: scripts/fuzz.sh TARGET [SECONDS [libFuzzer flags...]]
#   TARGET    a folder name under tests/fuzz/corpus (pak, reader, options, effect, bitmap, ...)
#   SECONDS   how long to fuzz, 600 unless given
# Environment: FUZZ_BUILD_DIR (build-fuzz), FUZZ_WORK_DIR (FUZZ_BUILD_DIR/runs/TARGET), FUZZ_JOBS (4).
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS [libFuzzer flags...]]}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
if [ ! -d "tests/fuzz/corpus/$target" ]; then
  echo "No fuzz target $target; there are: $(ls tests/fuzz/corpus | tr '\n' ' ')" >&2
  exit 1
fi

# clang with the runtime -fsanitize=fuzzer links against, as Debian 12 packs them.
bash scripts/deps.sh clang libclang-rt-14-dev

build=${FUZZ_BUILD_DIR:-build-fuzz}
# Everything gets libFuzzer's coverage hooks; only the fuzz targets link its driver.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DVANTLE_SANITIZE=ON -DVANTLE_FUZZ=ON -DVANTLE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "${FUZZ_JOBS:-4}"

work=${FUZZ_WORK_DIR:-$build/runs/$target}
mkdir -p "$work/corpus" "$work/artifacts"
cp -n "tests/fuzz/corpus/$target"/* "$work/corpus/"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# A slow input is a report of its own: 10 s is far beyond any sound data file. So is a single allocation
# of more than 1 GB, sixteen times what the largest picture accepted needs.
exec "$build/tests/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$@" "$work/corpus"
