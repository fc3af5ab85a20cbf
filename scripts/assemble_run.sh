#!/usr/bin/env bash
# Assembles a run folder: the game's binary, a fresh copy of the data tree and the pictures
# tools/make_data.py draws. Drawing takes several seconds, so the drawn files are kept in the run folder
# (RUN_FOLDER/.drawn/) beside a stamp of the generator's sources, and drawn again only when those change.
#
# Usage: scripts/assemble_run.sh RUN_FOLDER GAME_BINARY
set -euo pipefail
usage="usage: scripts/assemble_run.sh RUN_FOLDER GAME_BINARY"
run=$(realpath -m "${1:?$usage}")
binary=$(realpath "${2:?$usage}")
cd "$(dirname "$0")/.."

mkdir -p "$run"
drawn="$run/.drawn"
stamp=$(sha256sum tools/*.py | sha256sum | cut -d ' ' -f 1)
if [ "$(cat "$drawn/stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "Drawing the game's pictures (again whenever tools/make_data.py changes)."
  rm -rf "$drawn" "$drawn.new"
  python3 tools/make_data.py "$drawn.new" >/dev/null
  # The stamp comes last: a draw cut short is never taken for a whole one.
  echo "$stamp" >"$drawn.new/stamp"
  mv "$drawn.new" "$drawn"
fi

rm -rf "$run/data"
cp -R data "$run/data"
cp -R "$drawn/data/." "$run/data/"
cp "$binary" "$run/moravane"
