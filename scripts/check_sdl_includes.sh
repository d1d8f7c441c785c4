#!/usr/bin/env bash
# Fails when any source outside media/sdl/ includes SDL.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rlE '#\s*include\s*[<"]SDL' --include='*.h' --include='*.cpp' --include='*.hpp' \
  . 2>/dev/null | grep -v '^\./media/sdl/' | grep -v '^\./build' || true)
if [ -n "$hits" ]; then
  echo "SDL included outside media/sdl/:"
  echo "$hits"
  exit 1
fi
echo "SDL is included only by media/sdl/"
