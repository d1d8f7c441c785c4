#!/usr/bin/env bash
# Fails when a game source includes a header of a layer above its own, or of a layer beside it
# (front and the editor know nothing of each other). The layers, bottom to top:
#   media, core, stages, play, front and editor, app.
# The build enforces the same through the libraries' links; this also catches a header used
# only for its inline code or constants.
set -euo pipefail
cd "$(dirname "$0")/.."
rank() {
  case "$1" in
    media) echo 0 ;; core) echo 1 ;; stages) echo 2 ;; play) echo 3 ;;
    front | editor) echo 4 ;; app) echo 5 ;; *) echo "" ;;
  esac
}
bad=0
for dir in media core stages play front editor app; do
  own=$(rank "$dir")
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#\s*include\s*"([a-z]+)\/.*/\1/' <<<"${line#*:}")
    r=$(rank "$target")
    [ -z "$r" ] && continue
    if [ "$target" != "$dir" ] && [ "$r" -ge "$own" ]; then
      echo "$file: includes $target/, a layer not under $dir/"
      bad=1
    fi
  done < <(grep -rHE '^\s*#\s*include\s*"[a-z]+/' --include='*.h' --include='*.cpp' "$dir" || true)
done
if [ "$bad" -ne 0 ]; then exit 1; fi
echo "every game source includes only its own layer and the layers under it"
