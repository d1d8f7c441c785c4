#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it: only the game and the generators of
# its data (pictures, sounds, stages and their replays), no tests, fuzz targets or test tools.
set -euo pipefail
cd "$(dirname "$0")/.."
QUILL_BUILD_TARGETS="quillmire quill_levels quill_replays" \
  scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release -DQUILL_TESTS=OFF -DQUILL_BENCH=OFF
exec build/game/quillmire
