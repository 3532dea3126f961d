#!/usr/bin/env bash
# Kelvane on Wayland, against the same window on X11. Under sway, which draws window frames itself,
# Qt's EGL client-buffer stack stays unloaded and resident memory is within 1.1 times X11's. Under
# weston, which leaves frames to the client, Qt keeps its own frame (from Qt 6.8 on, at X11's
# footprint too). Each time the window comes up, nothing is written to stderr, and End ends the
# program with status 0. Nothing injects input into a headless compositor, so End is pressed through
# the accessibility bus.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a \
  -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

PYTHON=/usr/bin/python3  # Debian's, which has the GObject bindings
for tool in weston weston-screenshooter sway swaymsg dbus-send; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/install-deps.sh installs it"
done
"$PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  fail "Python's Atspi bindings are missing: scripts/install-deps.sh installs them"

WORK=$(mktemp -d)
chmod 0755 "$WORK"
COMPOSITOR=""
PID=""
cleanup() {
  [ -z "$PID" ] || kill "$PID" 2>/dev/null || true
  [ -z "$COMPOSITOR" ] || kill "$COMPOSITOR" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Kelvane's own runtime directory: Qt warns about one that is not private to the user running it.
export XDG_RUNTIME_DIR=$WORK/kelvane-run
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET QT_WAYLAND_CLIENT_BUFFER_INTEGRATION \
  QT_WAYLAND_DISABLE_WINDOWDECORATION
# Started ahead of Kelvane, so it finds the accessibility bus at once.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null

# press_end: does the "Press" action of the push button named End in process $PID. The action may
# end the process before it answers, so a failed call is no failure here: the exit status decides.
press_end() {
  timeout 30 "$PYTHON" - "$PID" <<'EOF' || fail "could not press End through the accessibility bus"
import sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib

pid = int(sys.argv[1])

def find(node, depth=0):
    if node is None or depth > 12:
        return None
    if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == "End":
        return node
    for i in range(node.get_child_count()):
        hit = find(node.get_child_at_index(i), depth + 1)
        if hit:
            return hit
    return None

deadline = time.monotonic() + 20
button = None
while button is None:
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                button = find(app)
        except GLib.Error:
            pass
    if button is None:
        if time.monotonic() > deadline:
            sys.exit("no push button named End in process %d" % pid)
        time.sleep(0.1)
try:
    button.do_action(0)
except GLib.Error as e:
    print("press End: %s" % e.message, file=sys.stderr)
EOF
}

# finish NAME: checks the settled window kept running and wrote nothing to stderr, then presses End.
finish() {
  kelvane_running || fail "$1: kelvane exited on its own"
  [ ! -s "$WORK/$1.err" ] || fail "$1: kelvane wrote to stderr: $(cat "$WORK/$1.err")"
  press_end
  wait_exit 20
  [ "$STATUS" = 0 ] || fail "$1: exit status $STATUS, expected 0"
}

mapped() { grep -q "$1" "/proc/$PID/maps"; }

# X11: the footprint to match.
start_kelvane 2>"$WORK/x11.err"
settle_rss
X11_RSS=$(status_kb VmRSS)
finish x11

# Wayland clients only from here on, as in a Wayland session.
unset DISPLAY
export XDG_SESSION_TYPE=wayland

# start_on_wayland NAME SOCKET: starts Kelvane against that compositor socket.
start_on_wayland() {
  WAYLAND_DISPLAY=$2 "$KELVANE" 2>"$WORK/$1.err" &
  PID=$!
  wait_for 30 "$1: kelvane never loaded Qt's Wayland platform" mapped libqwayland-
  kelvane_running || fail "$1: kelvane exited: $(cat "$WORK/$1.err")"
}

start_sway "$WORK" 'xwayland disable'
COMPOSITOR=$SWAY_PID SOCKET=$SWAY_WAYLAND

shown_by_sway() {
  WAIT_DETAIL=$(swaymsg -s "$SWAYSOCK" -t get_tree -r 2>/dev/null |
    "$PYTHON" -c 'import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
print(" ".join("%s:%s:%s" % (n.get("name"), n.get("visible"), n.get("border"))
               for n in walk(json.load(sys.stdin)) if n.get("pid") == int(sys.argv[1])))' "$PID")
  # "normal": sway draws the title bar; a window that asked to draw its own would show "csd".
  [ "$WAIT_DETAIL" = "Kelvane:True:normal" ]
}

start_on_wayland sway "$SOCKET"
wait_for 20 "sway never showed a window titled Kelvane inside a frame sway draws" shown_by_sway
settle_rss
SWAY_RSS=$(status_kb VmRSS)
! mapped libqt-plugin-wayland-egl || fail "sway: Qt loaded its EGL client-buffer integration"
! mapped libbradient || fail "sway: Qt drew a frame of its own although sway draws one"
[ $((SWAY_RSS * 10)) -le $((X11_RSS * 11)) ] ||
  fail "resident memory under sway is $SWAY_RSS kB, more than 1.1 times X11's $X11_RSS kB"
finish sway
kill "$COMPOSITOR"
wait "$COMPOSITOR" 2>/dev/null || true
COMPOSITOR=""

WESTON_RUN=$XDG_RUNTIME_DIR
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --socket=weston-0 \
  --idle-time=0 --debug >"$WORK/weston.log" 2>&1 &
COMPOSITOR=$!
weston_ready() {
  kill -0 "$COMPOSITOR" 2>/dev/null || fail "weston exited: $(tail -n 5 "$WORK/weston.log")"
  [ -S "$WESTON_RUN/weston-0" ]
}
wait_for 30 "weston did not start" weston_ready

# The panel's colour covers a good part of a screenshot once the window is drawn.
shown_by_weston() {
  rm -f "$WORK"/wayland-screenshot-*.png
  (cd "$WORK" && WAYLAND_DISPLAY=weston-0 timeout 10 weston-screenshooter >/dev/null 2>&1) || return 1
  WAIT_DETAIL=$(convert "$WORK"/wayland-screenshot-*.png -fill black +opaque 'rgb(203,216,250)' \
    -fill white -opaque 'rgb(203,216,250)' -format '%[fx:int(mean*w*h)]' info: 2>/dev/null) || return 1
  WAIT_DETAIL="$WAIT_DETAIL panel pixels"
  [ "${WAIT_DETAIL%% *}" -gt 40000 ]
}

start_on_wayland weston weston-0
wait_for 20 "weston never showed Kelvane's panel" shown_by_weston
settle_rss
WESTON_RSS=$(status_kb VmRSS)
mapped libbradient || fail "weston: Qt drew no frame for the window, which weston leaves to the client"
# Qt 6.4 loads its EGL client-buffer stack to learn whether it may draw that frame; 6.8 draws it
# without, at X11's footprint.
qt_minor=$(grep -o 'libQt6Core\.so\.6\.[0-9]*' "/proc/$PID/maps" | head -n1 | sed 's/.*\.//')
if [ "${qt_minor:-0}" -ge 8 ]; then
  ! mapped libqt-plugin-wayland-egl || fail "weston: Qt 6.$qt_minor loaded its EGL client-buffer integration"
  [ $((WESTON_RSS * 10)) -le $((X11_RSS * 11)) ] ||
    fail "resident memory under weston is $WESTON_RSS kB, more than 1.1 times X11's $X11_RSS kB"
fi
finish weston

echo "resident memory: X11 $X11_RSS kB, sway $SWAY_RSS kB, weston (with Qt's own frame) $WESTON_RSS kB"
echo "wayland: 1 passed, 0 failed"
