#!/usr/bin/env bash
# Under a real window manager that frames the window, the whole frame, not only the client area, sits
# in the middle of the screen; "End" still ends the program.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"
start_openbox

read -r SW SH < <(xwininfo -root | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }')

# Sets FX FY FW FH to the frame's outer rectangle from the extents the window manager announces.
read_frame() {
  local extents left right top bottom
  read_geometry || return 1
  extents=$(xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p')
  [ -n "$extents" ] || return 1
  IFS=', ' read -r left right top bottom <<<"$extents"
  FX=$((WX - left)); FY=$((WY - top)); FW=$((WW + left + right)); FH=$((WH + top + bottom))
}

# Centred within a pixel: twice the left edge plus the width is the screen width, give or take 2.
within_2() { [ "$1" -ge -2 ] && [ "$1" -le 2 ]; }
frame_centred() {
  kelvane_running || fail "kelvane exited before it was placed"
  read_frame || return 1
  WAIT_DETAIL="outer ${FW}x${FH} at ${FX},${FY}, centred would be about $(((SW - FW) / 2)),$(((SH - FH) / 2))"
  within_2 $((2 * FX + FW - SW)) && within_2 $((2 * FY + FH - SH))
}

start_kelvane
wait_for 60 "openbox announced no frame extents for the window" read_frame
[ "$FW" -gt "$WW" ] && [ "$FH" -gt "$WH" ] || fail "openbox drew no frame: outer ${FW}x${FH}, client ${WW}x${WH}"
wait_for 60 "the frame was not centred on the ${SW}x${SH} screen" frame_centred
echo "frame ${FW}x${FH} at ${FX},${FY} on a ${SW}x${SH} screen"

click_end_expect_exit
echo "centred_under_wm: 1 passed, 0 failed"
