# Shared steps of the end-to-end tests: run inside xvfb-run with the binary as $KELVANE.
# Every wait polls for the condition it needs, with a generous limit, so a busy machine only slows
# these tests down.
set -euo pipefail

PANEL="203,216,250"  # the client pixel at (5, 100), once the window has painted

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for SECONDS MESSAGE COMMAND...: runs COMMAND until it succeeds; fails with MESSAGE after SECONDS.
# COMMAND may leave what it last saw in WAIT_DETAIL for the failure message.
wait_for() {
  local seconds=$1 message=$2
  shift 2
  local deadline=$(($(date +%s) + seconds))
  WAIT_DETAIL=""
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$message after $seconds s${WAIT_DETAIL:+; last seen: $WAIT_DETAIL}"
    sleep 0.05
  done
}

# xdotool's --sync waits, without a limit of its own, for the X server to report the change.
xdotool() {
  local status=0
  timeout 20 xdotool "$@" || status=$?
  [ "$status" != 124 ] || fail "xdotool $* did not finish within 20 s"
  return "$status"
}

kelvane_running() { kill -0 "$PID" 2>/dev/null; }
kelvane_gone() { ! kelvane_running; }

# Sets WX WY WW WH to the client area's place on the screen and its size.
read_geometry() {
  local info
  info=$(xwininfo -id "$WID" 2>/dev/null) || return 1
  WX=$(awk '/Absolute upper-left X:/ { print $4 }' <<<"$info")
  WY=$(awk '/Absolute upper-left Y:/ { print $4 }' <<<"$info")
  WW=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
  WH=$(awk '/^ *Height:/ { print $2 }' <<<"$info")
}

# Colour of one screen pixel as "r,g,b" (0-255).
pixel_at() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

window_mapped() {
  kelvane_running || fail "kelvane exited before showing its window"
  WID=$(xdotool search --onlyvisible --name '^Kelvane$' 2>/dev/null | head -n1 || true)
  [ -n "$WID" ]
}

window_painted() {
  kelvane_running || fail "kelvane exited before painting its window"
  read_geometry || return 1
  local seen
  seen=$(pixel_at $((WX + 5)) $((WY + 100)))
  WAIT_DETAIL="$seen at client (5, 100)"
  [ "$seen" = "$PANEL" ]
}

# Starts Kelvane and waits until its window is mapped and painted; sets PID, WID, WX WY WW WH.
start_kelvane() {
  "$KELVANE" &
  PID=$!
  WID=""
  wait_for 60 "no window titled Kelvane was mapped" window_mapped
  wait_for 60 "the window was mapped but its panel never showed $PANEL" window_painted
}

# Clicks at a point of the window's client area.
click_client() {
  xdotool mousemove --sync "$((WX + $1))" "$((WY + $2))"
  xdotool click 1
}

# Waits up to $1 seconds for PID to exit; sets STATUS.
wait_exit() {
  wait_for "$1" "kelvane still running" kelvane_gone
  set +e; wait "$PID"; STATUS=$?; set -e
}

status_kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$PID/status"; }

# Waits until resident memory stops moving after start-up: five reads in a row a fifth of a second
# apart within 64 kB of each other. Work that a busy machine delays is waited for, not cut short.
settle_rss() {
  RSS_FIRST="" RSS_SAME=0
  wait_for 60 "resident memory never settled" rss_steady
}
rss_steady() {
  kelvane_running || fail "kelvane exited before its memory settled"
  local now
  now=$(status_kb VmRSS)
  WAIT_DETAIL="resident $now kB"
  if [ -n "$RSS_FIRST" ] && [ $((now - RSS_FIRST)) -le 64 ] && [ $((RSS_FIRST - now)) -le 64 ]; then
    RSS_SAME=$((RSS_SAME + 1))
  else
    RSS_FIRST=$now RSS_SAME=0
  fi
  [ "$RSS_SAME" -ge 4 ] || { sleep 0.2; return 1; }
}

# Clicks "End" and expects the program gone with status 0.
click_end_expect_exit() {
  kelvane_running || fail "kelvane died before End was clicked"
  click_client 312 287
  wait_exit 20
  [ "$STATUS" = 0 ] || fail "exit status $STATUS, expected 0"
}

# Starts openbox with its packaged settings and waits until it manages windows; sets WM.
start_openbox() {
  command -v openbox >/dev/null || fail "openbox is missing: scripts/install-deps.sh installs it"
  WM_DIR=$(mktemp -d)
  trap 'kill "$WM" 2>/dev/null || true; rm -rf "$WM_DIR"' EXIT
  # The packaged configuration, whatever the person running the tests has set up for themselves.
  XDG_CONFIG_HOME=$WM_DIR openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml \
    --startup "touch $WM_DIR/ready" >"$WM_DIR/openbox.log" 2>&1 &
  WM=$!
  wait_for 60 "openbox did not finish starting" wm_ready
}

wm_ready() {
  kill -0 "$WM" 2>/dev/null || fail "openbox exited: $(cat "$WM_DIR/openbox.log")"
  [ -e "$WM_DIR/ready" ]
}

# "Optimize" sits at (19, 199), 93 x 26. Its pixel (1, 10) tells the looks apart; the values are worked
# from the style's rules for a white face: the plain left edge line (white shaded by -5, blue in
# proportion), the hover and focus frames, and the pressed edge line (shaded twice by -32).
UP="250,250,249" HOVER="255,178,49" FOCUS="140,174,231" DOWN="191,191,178"
optimize_shows() {
  WAIT_DETAIL=$(pixel_at $((WX + 20)) $((WY + 209)))
  [ "$WAIT_DETAIL" = "$1" ]
}

# start_sway DIR CONFIG: sway on its headless backend with CONFIG (its lines) as configuration, in a
# runtime folder of its own under DIR; sway refuses to run as root, so there it runs as nobody.
# Waits for its sockets; sets SWAY_PID, SWAY_WAYLAND (the Wayland socket) and SWAYSOCK.
start_sway() {
  SWAY_RUN=$1/sway-run SWAY_LOG=$1/sway.log
  mkdir -m 0700 "$SWAY_RUN"
  printf '%s\n' "$2" >"$1/sway.cfg"
  local as_user=()
  if [ "$(id -u)" = 0 ]; then
    chown nobody "$SWAY_RUN"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  XDG_RUNTIME_DIR=$SWAY_RUN HOME=$SWAY_RUN WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${as_user[@]}" sway -c "$1/sway.cfg" >"$SWAY_LOG" 2>&1 &
  SWAY_PID=$!
  wait_for 30 "sway did not start" sway_ready
}

sway_ready() {
  kill -0 "$SWAY_PID" 2>/dev/null || fail "sway exited: $(tail -n 5 "$SWAY_LOG")"
  SWAY_WAYLAND=$(find "$SWAY_RUN" -name 'wayland-*' -type s | head -n1)
  SWAYSOCK=$(find "$SWAY_RUN" -name 'sway-ipc.*' -type s | head -n1)
  [ -n "$SWAY_WAYLAND" ] && [ -n "$SWAYSOCK" ]
}
