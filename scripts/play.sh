#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release -DQUILL_TESTS=OFF -DQUILL_BENCH=OFF
exec build/game/quillmire
