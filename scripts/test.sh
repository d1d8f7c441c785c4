#!/usr/bin/env bash
# Builds and runs every test: the formatting check, the check that only the media layer's SDL
# backend includes SDL, the layer check over the includes, the normal build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, and the real program under Xvfb.
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

echo "== sanitizer build"
scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

echo "== window check"
scripts/window_check.sh build-test/game/quillmire
