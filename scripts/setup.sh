#!/usr/bin/env bash
# Installs the Debian packages the build needs (when any is missing) and configures and builds
# one build folder. Usage: scripts/setup.sh BUILD_DIR [cmake options...]
# QUILL_BUILD_TARGETS (space-separated) builds only those targets and what they need.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config ninja-build clang-format libsdl2-dev libgl-dev libpng-dev zlib1g-dev
  libogg-dev libvorbis-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick
  xdotool x11-utils)
# A clang build (CXX=clang++, as the sanitizer and fuzz builds use) needs clang and its runtimes.
case "${CXX:-}" in *clang*) packages+=(clang libclang-rt-14-dev) ;; esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" </dev/null
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
targets=()
for t in ${QUILL_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
