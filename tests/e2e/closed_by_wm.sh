#!/usr/bin/env bash
# Closing the window through the window manager ends the program with status 0. Run with a sanitizer
# build, this is also the leak check of a real window's whole life: start, refreshes, close.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"
# Under the leak checker, whole stacks: the suppressions (tests/lsan.supp) name frames past Qt's
# first, where the frame-pointer unwinder stops. It costs this run about half a second.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0

start_openbox
start_kelvane
xdotool windowactivate --sync "$WID" key --clearmodifiers alt+F4
wait_exit 60
[ "$STATUS" = 0 ] || fail "exit status $STATUS after the window was closed, expected 0"
echo "closed_by_wm: 1 passed, 0 failed"
