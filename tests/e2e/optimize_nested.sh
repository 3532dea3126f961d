#!/usr/bin/env bash
# Three clicks on "Optimize", the later two once the first run is reserving: they start runs nested in
# its release phase, and all of them together never hold more than one full run's blocks; everything
# comes back.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

# 32,000 pairs of 40,000-byte blocks, each block whole pages (40,960 bytes).
cap_kb=$((2 * 32000 * 40960 / 1024))
slack_kb=$((64 * 1024))
avail_kb=$(awk '$1 == "MemAvailable:" { print $2 }' /proc/meminfo)
start_kelvane
base_kb=$(status_kb VmRSS)
click_client 45 212
reserving() {
  kelvane_running || fail "kelvane died during Optimize"
  WAIT_DETAIL="peak $(($(status_kb VmHWM) / 1024)) MiB"
  [ $(($(status_kb VmHWM) - base_kb)) -gt "$slack_kb" ]
}
wait_for 120 "the first click started no run" reserving
# Each click farther than a double click's reach from the one before, so none pairs up with another.
click_client 65 212
click_client 85 212

all_back() {
  kelvane_running || fail "kelvane died during Optimize"
  peak_kb=$(status_kb VmHWM)
  rss_kb=$(status_kb VmRSS)
  WAIT_DETAIL="resident $((rss_kb / 1024)) MiB, peak $((peak_kb / 1024)) MiB"
  [ $((peak_kb - base_kb)) -gt "$slack_kb" ] && [ $((rss_kb - base_kb)) -lt "$slack_kb" ] &&
    [ "$(pixel_at $((WX + 100)) $((WY + 240)))" = "$PANEL" ]
}
wait_for 300 "Optimize did not give everything back and hide its indicator" all_back

rise_kb=$((peak_kb - base_kb))
echo "three clicks: resident memory rose by $((rise_kb / 1024)) MiB (one run's cap: $((cap_kb / 1024)) MiB)"
[ "$rise_kb" -le $((cap_kb + slack_kb)) ] || fail "the runs together held $((rise_kb / 1024)) MiB, above one run's cap"
if [ "$avail_kb" -ge $((8 * 1024 * 1024)) ]; then
  [ "$rise_kb" -ge $((cap_kb - slack_kb)) ] || fail "only $((rise_kb / 1024)) MiB reserved with 8 GB free"
fi
click_end_expect_exit
echo "optimize_nested: 1 passed, 0 failed"
