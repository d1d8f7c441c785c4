#!/usr/bin/env bash
# Fails when any source outside media/sdl/ includes SDL.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rlE '^\s*#\s*include\s*[<"](SDL2/)?SDL' --include='*.h' --include='*.hh' \
  --include='*.hpp' --include='*.inc' --include='*.c' --include='*.cc' --include='*.cpp' \
  . 2>/dev/null | grep -v '^\./media/sdl/' | grep -v '^\./build' | grep -v '^\./\.git/' || true)
if [ -n "$hits" ]; then
  echo "SDL included outside media/sdl/:"
  echo "$hits"
  exit 1
fi
echo "SDL is included only by media/sdl/"
