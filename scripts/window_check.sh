#!/usr/bin/env bash
# Starts the real program under Xvfb, waits until its window shows the title screen, takes a
# screenshot of it, checks that the window is the program's and 800 x 600, and ends the program.
#
#   scripts/window_check.sh PATH_TO_quillmire
#
# The program runs in a temporary copy of its folder with settings for a window (language 1,
# display mode 1), so that it opens a window and not the language chooser and a full screen.
# Exits 0 when the check passes; otherwise non-zero with the reason. Bounded in time.
set -euo pipefail

fail() {
  echo "window check: FAILED: $*" >&2
  exit 1
}

# Runs inside the X server of xvfb-run: start, find the window, shoot, check, end.
inner() {
  local prog=$1 shot=$2 wait_seconds=$3
  local log="${shot%.png}.log"
  cd "$(dirname "$prog")"
  SDL_AUDIODRIVER=dummy "$prog" >"$log" 2>&1 &
  local pid=$!
  local deadline=$((SECONDS + wait_seconds))
  local ok=0 last="no window named Quillmire appeared"
  local wid geometry size colours mean
  while [ "$SECONDS" -lt "$deadline" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      last="the program ended before its window could be checked"
      break
    fi
    wid=$(timeout 5 xdotool search --name '^Quillmire' 2>/dev/null | tail -n 1 || true)
    if [ -n "$wid" ]; then
      # The program's own window, not some other client's.
      if [ "$(timeout 5 xdotool getwindowpid "$wid" 2>/dev/null || true)" != "$pid" ]; then
        last="window $wid does not belong to the program (pid $pid)"
      elif geometry=$(timeout 5 xdotool getwindowgeometry "$wid" 2>/dev/null) &&
        timeout 10 import -window "$wid" "$shot" 2>/dev/null; then
        size=$(identify -format '%wx%h' "$shot" 2>/dev/null || echo "?")
        colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
        mean=$(identify -format '%[fx:mean]' "$shot" 2>/dev/null || echo 0)
        if ! grep -q 'Geometry: 800x600' <<<"$geometry" || [ "$size" != "800x600" ]; then
          last="window $wid is not 800 x 600 (${geometry//$'\n'/ }; screenshot $size)"
        elif [ "$colours" -lt 2 ]; then
          # The first frames may still be black: look again until the deadline.
          last="window $wid is blank ($colours colour, mean $mean)"
        elif [ "$colours" -lt "$min_colours" ]; then
          # Start-up (rate probe, logo slide, loading) is still under way: the title screen,
          # with its full picture, has many more colours.
          last="window $wid did not reach the title screen ($colours colours, mean $mean)"
        else
          echo "window check: window $wid of pid $pid, $size, $colours colours, mean $mean"
          ok=1
          break
        fi
      else
        last="window $wid could not be captured"
      fi
    fi
    sleep 0.2
  done

  local rc=0
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null || true
    local end=$((SECONDS + 5))
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
      kill -KILL "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
      echo "window check: the program did not end on SIGTERM" >&2
      return 1
    fi
    wait "$pid" 2>/dev/null || rc=$?
    [ "$rc" -eq 143 ] && rc=0  # ended by our SIGTERM
  else
    wait "$pid" 2>/dev/null || rc=$?
  fi
  if [ "$ok" -ne 1 ]; then
    echo "window check: $last" >&2
    echo "window check: program output (last lines):" >&2
    tail -n 20 "$log" >&2 || true
    return 1
  fi
  if [ "$rc" -ne 0 ]; then
    echo "window check: the program ended with status $rc" >&2
    tail -n 20 "$log" >&2 || true
    return 1
  fi
  return 0
}
# The script calls itself inside xvfb-run for the part that needs the X server.
if [ "${1:-}" = "--inside-xvfb" ]; then
  shift
  inner "$@"
  exit $?
fi

exe=${1:?usage: window_check.sh PATH_TO_quillmire}
wait_seconds=${WINDOW_CHECK_WAIT:-40}
# The title screen's picture has hundreds of colours; the logo slide a few dozen.
export min_colours=${WINDOW_CHECK_MIN_COLOURS:-200}

[ -f "$exe" ] && [ -x "$exe" ] || fail "no executable at $exe"
for tool in xvfb-run xdotool import identify timeout; do
  command -v "$tool" >/dev/null 2>&1 || fail "missing tool: $tool"
done

exe=$(readlink -f "$exe")
self=$(readlink -f "$0")
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmire-window-check.XXXXXX")
shot_dir=$(mktemp -d "${TMPDIR:-/tmp}/quillmire-window-shot.XXXXXX")
shot="$shot_dir/window.png"
trap 'rm -rf "$work"' EXIT

# The program reads and writes beside its executable: give it a copy of its folder.
cp -a "$(dirname "$exe")/." "$work/"
printf '\001' >"$work/Country.ini"
printf '\001' >"$work/prefs.ini"
prog="$work/$(basename "$exe")"


echo "window check: running $exe in $work under Xvfb"
status=0
timeout --kill-after=10 $((wait_seconds + 40)) \
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$self" --inside-xvfb "$prog" "$shot" \
  "$wait_seconds" || status=$?
echo "window check: screenshot: $shot"
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  fail "timed out"
fi
[ "$status" -eq 0 ] || fail "see the messages above"
echo "window check: passed"
