#!/usr/bin/env bash
# Builds and runs every test: the formatting check, the check that only the media layer's SDL
# backend includes SDL, the layer check over the includes, the normal build (gcc), the
# AddressSanitizer + UndefinedBehaviorSanitizer build (clang), and the real program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== formatting check"
scripts/check_format.sh

echo "== SDL include check"
scripts/check_sdl_includes.sh

echo "== layer check"
scripts/check_layers.sh

echo "== normal build"
scripts/setup.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build-test && ctest --output-on-failure -j "$jobs")

# The sanitizer build is made with clang, so that the whole tree is compiled by both compilers
# (the fuzz build in the README is a clang build too).
echo "== sanitizer build (clang)"
CC=clang CXX=clang++ scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

echo "== window check"
scripts/window_check.sh build-test/game/quillmire
