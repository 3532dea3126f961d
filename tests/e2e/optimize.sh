#!/usr/bin/env bash
# "Optimize" in the real window: the indicator appears, physical memory is really reserved, all of it
# comes back, the indicator hides again and the program lives on.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

avail_kb=$(awk '$1 == "MemAvailable:" { print $2 }' /proc/meminfo)
start_kelvane
base_kb=$(status_kb VmRSS)
indicator="203,216,250"  # the panel behind the hidden indicator
click_client 65 212  # "Optimize"

saw_indicator=0
# Done when memory has risen and come back and the indicator is hidden again.
optimize_done() {
  kelvane_running || fail "kelvane died during Optimize"
  local shown
  shown=$(pixel_at $((WX + 100)) $((WY + 240)))
  [ "$shown" != "$indicator" ] && saw_indicator=1
  peak_kb=$(status_kb VmHWM)
  rss_kb=$(status_kb VmRSS)
  [ $((peak_kb - base_kb)) -gt 65536 ] && [ $((rss_kb - base_kb)) -lt 65536 ] && [ "$shown" = "$indicator" ]
}
wait_for 240 "Optimize did not reserve, release and hide its indicator" optimize_done

[ "$saw_indicator" = 1 ] || fail "the progress indicator never showed"
rise_kb=$((peak_kb - base_kb))
echo "resident memory rose by $((rise_kb / 1024)) MiB and came back to $((rss_kb / 1024)) MiB"
if [ "$avail_kb" -ge $((8 * 1024 * 1024)) ]; then
  [ "$rise_kb" -ge $((2 * 1000 * 1000 * 1000 / 1024)) ] || fail "only $((rise_kb / 1024)) MiB reserved with 8 GB free"
fi
click_end_expect_exit
echo "optimize: 1 passed, 0 failed"
