#!/usr/bin/env bash
# Installs what Qelvo needs to build, run and test (Debian packages), then
# configures and builds into build/. Quick when everything is already there.
#   ./setup.sh                 set up and build
#   BUILD_DIR=x CMAKE_ARGS=... ./setup.sh   another build folder or options
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  # build
  cmake ninja-build g++ qt6-base-dev libgl-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # run: Japanese-capable font for the interface
  fonts-ipafont-gothic
  # end-to-end tests and benchmarks
  xvfb openbox xdotool x11-utils imagemagick libjpeg-turbo-progs
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=()
  [[ $(id -u) -ne 0 ]] && SUDO=(sudo)
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$BUILD_DIR" -G Ninja ${CMAKE_ARGS:-}
cmake --build "$BUILD_DIR" -j "$(nproc)"
