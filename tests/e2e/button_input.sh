#!/usr/bin/env bash
# The buttons under a real pointer and keyboard: hover, press, focus, a click on a cut-away corner,
# the picture on "End", and space on a focused "End".
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

away() { xdotool mousemove --sync $((WX + 200)) $((WY + 40)); }  # the banner

start_kelvane
# Without a window manager nobody hands the window the keyboard.
xdotool windowfocus --sync "$WID"
away
wait_for 10 "Optimize does not show its plain look" optimize_shows "$UP"

xdotool mousemove --sync $((WX + 70)) $((WY + 212))
wait_for 10 "moving over Optimize does not show the hover look" optimize_shows "$HOVER"
away
wait_for 10 "moving away from Optimize leaves the hover look" optimize_shows "$UP"
xdotool mousemove --sync $((WX + 70)) $((WY + 212))
wait_for 10 "moving over Optimize again does not show the hover look" optimize_shows "$HOVER"
xdotool mousemove --sync 5 5  # off the window altogether
wait_for 10 "leaving the window from Optimize leaves the hover look" optimize_shows "$UP"

xdotool key Tab
wait_for 10 "Tab does not show the focus look on Optimize" optimize_shows "$FOCUS"

# Pressed and dragged out before the release: no click, so nothing starts.
xdotool mousemove --sync $((WX + 70)) $((WY + 212)) mousedown 1
wait_for 10 "pressing Optimize does not show the down look" optimize_shows "$DOWN"
away
wait_for 10 "dragging out of Optimize does not show its up look" optimize_shows "$FOCUS"
xdotool mouseup 1

# "End" at (274, 274), 76 x 26, carries its 16 x 16 picture: every one of the picture's 72 opaque
# pixels of its main red shows.
reds=$(import -window root -crop "76x26+$((WX + 274))+$((WY + 274))" -depth 8 txt:- 2>/dev/null |
  grep -c "(211,47,47)" || true)
[ "$reds" = 72 ] || fail "End shows $reds pixels of its picture's red, expected 72"

# The cut-away top-left corner belongs to the panel behind: a click there starts nothing. The Tab
# after it is taken only once the click is done with, and a run would have reserved by then.
base_kb=$(status_kb VmHWM)
click_client 19 199
xdotool key Tab
wait_for 10 "Tab from Optimize does not take its focus look away" optimize_shows "$UP"
[ "$(pixel_at $((WX + 100)) $((WY + 240)))" = "$PANEL" ] || fail "a click on the cut-away corner showed the indicator"
[ $(($(status_kb VmHWM) - base_kb)) -lt 65536 ] || fail "a click on the cut-away corner reserved memory"

# Tab from "Optimize" reached "End"; space there ends the program.
xdotool key space
wait_exit 20
[ "$STATUS" = 0 ] || fail "space on End: exit status $STATUS, expected 0"
echo "button_input: 1 passed, 0 failed"
