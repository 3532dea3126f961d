#!/usr/bin/env bash
# Under a window manager the pointer can jump from the frame straight onto a button, with nothing but
# the enter to tell of it: the hover look still comes, and goes again on the title bar.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"
start_openbox
start_kelvane

title_bar() { xdotool mousemove --sync $((WX + 100)) $((WY - 10)); }
for round in 1 2; do
  title_bar
  wait_for 10 "round $round: Optimize shows no plain look with the pointer on the title bar" optimize_shows "$UP"
  xdotool mousemove --sync $((WX + 70)) $((WY + 212))
  wait_for 10 "round $round: jumping onto Optimize from the title bar shows no hover look" optimize_shows "$HOVER"
done
click_end_expect_exit
echo "hover_under_wm: 1 passed, 0 failed"
