#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# every test headless under a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=${BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTLE_SANITIZE=ON -DVANTLE_WERROR=ON
cmake --build "$build"

# A private X server for the OpenGL tests; -noreset keeps it alive between clients.
xvfb_log=$(mktemp)
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$display_file" 2>"$xvfb_log" &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$xvfb_log" "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  echo "Xvfb did not start:" >&2
  cat "$xvfb_log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$display_file")"
export LIBGL_ALWAYS_SOFTWARE=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
# Leaks inside the system libraries (Mesa, SDL, Ruby) are theirs, not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
