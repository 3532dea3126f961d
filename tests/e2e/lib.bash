# Shared steps of the end-to-end tests: run inside xvfb-run with the binary as $KELVANE.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Kelvane, waits for its window, sets PID, WID and the window's X Y W H.
start_kelvane() {
  "$KELVANE" &
  PID=$!
  WID=""
  for _ in $(seq 1 100); do
    WID=$(xdotool search --name '^Kelvane$' 2>/dev/null | head -n1 || true)
    [ -n "$WID" ] && break
    kill -0 "$PID" 2>/dev/null || fail "kelvane exited before showing its window"
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no window titled Kelvane within 10 s"
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  WX=$X; WY=$Y; WW=$WIDTH; WH=$HEIGHT
}

# Colour of one screen pixel as "r,g,b" (0-255).
pixel_at() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Clicks at a point of the window's client area.
click_client() {
  xdotool mousemove "$((WX + $1))" "$((WY + $2))"
  sleep 0.1
  xdotool click 1
}

# Waits up to $2 seconds for PID to exit; sets STATUS.
wait_exit() {
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 ))
  while kill -0 "$PID" 2>/dev/null; do
    [ "$(date +%s%N)" -lt "$deadline" ] || fail "kelvane still running after $1 s"
    sleep 0.05
  done
  set +e; wait "$PID"; STATUS=$?; set -e
}

status_kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$PID/status"; }

# Clicks "End" and expects the program gone at once with status 0.
click_end_expect_exit() {
  sleep 0.5
  kill -0 "$PID" 2>/dev/null || fail "kelvane died before End was clicked"
  click_client 312 287
  wait_exit 2
  [ "$STATUS" = 0 ] || fail "exit status $STATUS, expected 0"
}
