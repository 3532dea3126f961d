#!/usr/bin/env bash
# examples/widgets_tour as a screen reader finds it over AT-SPI, in a private D-Bus session: the
# controls are the window's own children (no unnamed panel or filler around them) and read as a
# push button and a progress bar. Needs the tour that tests/examples/widgets_tour.sh built in BUILD.
#   tests/examples/widgets_tour_atspi.sh BUILD
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
[ -n "${INSIDE_DBUS:-}" ] || exec env INSIDE_DBUS=1 dbus-run-session -- bash "$0" "$@"
BUILD=$1
prefix=$BUILD/examples/prefix
tour=$BUILD/examples/widgets_tour/widgets_tour
[ -x "$tour" ] || { echo "FAIL: no $tour: run tests/examples/widgets_tour.sh $BUILD first" >&2; exit 1; }

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
LD_LIBRARY_PATH=$(dirname "$(find "$prefix" -name libKelvaneWidgets.so.0)") "$tour" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
timeout 120 /usr/bin/python3 "$(dirname "$0")/widgets_tour_reader.py" "$pid"
