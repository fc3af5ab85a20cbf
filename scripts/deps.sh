#!/usr/bin/env bash
# Installs what building, testing and running the game need, on Debian 12 as root.
# Runs apt-get update only when something is missing. Extra package names given as arguments are
# installed the same way (scripts/deps.sh clang libclang-rt-14-dev).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
  libtinyxml-dev ruby-dev python3
  libgl-dev libgl1-mesa-dri libglx-mesa0 libglu1-mesa-dev
  xvfb xauth libxtst6
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
