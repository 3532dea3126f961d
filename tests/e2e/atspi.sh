#!/usr/bin/env bash
# The window as a screen reader finds it over AT-SPI, in a private D-Bus session with its own
# accessibility bus: every heading and figure reads, the free-share bar has a name and a read-only
# value, Press on "Optimize" answers at once while the run goes on, and End ends the program with 0.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
# A session bus of our own: the accessibility bus is started on it by D-Bus activation and ends with it.
[ -n "${INSIDE_DBUS:-}" ] || exec env INSIDE_DBUS=1 dbus-run-session -- bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

# The system's Python: the GObject bindings for AT-SPI come from Debian packages.
python=/usr/bin/python3
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  fail "python3-gi and gir1.2-atspi-2.0 are missing: scripts/install-deps.sh installs them"

# Qt joins the accessibility bus only when a reader is said to run; no desktop here says so.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_kelvane
# Each call on the bus has a limit of its own; the whole reading has one too.
timeout 180 "$python" "$(dirname "$0")/atspi_reader.py" "$PID" || fail "the screen reader's checks failed"
wait_exit 20
[ "$STATUS" = 0 ] || fail "End through AT-SPI: exit status $STATUS, expected 0"
echo "ok: End through AT-SPI ended the program with status 0"
echo "atspi: 1 passed, 0 failed"
