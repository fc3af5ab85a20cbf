#!/usr/bin/env bash
# Starts the game: installs what is missing, makes a release build, assembles the run folder (the game and
# its data) and runs the game there. Arguments are handed to the game (-d logs to the terminal).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: the game needs an X display to open its window (DISPLAY is not set)." >&2
  exit 1
fi

bash scripts/deps.sh

build=${BUILD_DIR:-build-release}
run=${RUN_DIR:-$PWD/build-release/run}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTLE_TESTS=OFF -DVANTLE_BENCHMARKS=OFF
cmake --build "$build" --target moravane

bash scripts/assemble_run.sh "$run" "$build/Seaquell/moravane"

# SDL looks for ALSA devices or a PulseAudio server; without either the game could not open its sound.
has_sound_device() {
  compgen -G "/dev/snd/pcmC*p" >/dev/null && return 0
  [ -n "${PULSE_SERVER:-}" ] && return 0
  [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]
}
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! has_sound_device; then
  echo "No sound device found: playing without sound."
  export SDL_AUDIODRIVER=dummy
fi

cd "$run"
status=0
./moravane "$@" || status=$?
# Status 2: the sound device is there but would not open.
if [ "$status" -eq 2 ] && [ "${SDL_AUDIODRIVER:-}" != dummy ]; then
  echo "The sound device could not be opened: playing without sound."
  status=0
  SDL_AUDIODRIVER=dummy ./moravane "$@" || status=$?
fi
if [ "$status" -ne 0 ]; then
  echo "The game ended with status $status; its log is $HOME/.Moravane/log.txt" >&2
fi
exit "$status"
