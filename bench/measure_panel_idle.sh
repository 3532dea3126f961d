#!/usr/bin/env bash
# Kelvane's window idle with its panel item beside the same window without, side by side for 300 s (or
# $2 s) under sway's headless backend with waybar's tray hosting the item: CPU seconds per second and
# resident memory of both, their ratios, and how many times the item's icon changed (NewIcon signals
# seen on the bus). Needs sway, waybar and dbus-monitor (scripts/install-deps.sh).
# Usage: bench/measure_panel_idle.sh <build dir> [seconds]
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
seconds=${2:-300}
if [ -z "${INSIDE_BUS:-}" ]; then
  exec env INSIDE_BUS=1 dbus-run-session -- bash "$0" "$build" "$seconds"
fi
source "$(dirname "$0")/../tests/e2e/lib.bash"
work=$(mktemp -d)
chmod 0755 "$work"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }
poll() { for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done; echo "gave up waiting: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR=$work/run
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
start_sway "$work" 'xwayland disable'
pids+=("$SWAY_PID")
WAYLAND_DISPLAY=$SWAY_WAYLAND
export WAYLAND_DISPLAY
printf '{"modules-right": ["tray"], "height": 28}\n' >"$work/waybar.json"
GDK_BACKEND=wayland waybar -c "$work/waybar.json" >"$work/waybar.log" 2>&1 &
pids+=($!)
watcher_up() { dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
  org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null | grep -q true; }
poll watcher_up

mkdir -p "$work/plain" "$work/panel/kelvane"
printf '[panel]\nshow=true\n' >"$work/panel/kelvane/kelvane.conf"
XDG_CONFIG_HOME=$work/plain "$build/kelvane" & plain=$!
pids+=("$plain")
XDG_CONFIG_HOME=$work/panel "$build/kelvane" 2>"$work/panel.err" & panel=$!
pids+=("$panel")
dbus-monitor --session "type='signal',interface='org.kde.StatusNotifierItem',member='NewIcon'" \
  >"$work/signals" 2>/dev/null &
pids+=($!)
sleep 3  # start-up is not idle
kill -0 "$panel" 2>/dev/null || { echo "the Kelvane with the panel item ended: $(cat "$work/panel.err")" >&2; exit 1; }
p0=$(cpu_ns "$plain"); k0=$(cpu_ns "$panel"); t0=$(date +%s.%N)
i0=$(grep -c 'member=NewIcon' "$work/signals" || true)
sleep "$seconds"
p1=$(cpu_ns "$plain"); k1=$(cpu_ns "$panel"); t1=$(date +%s.%N)
i1=$(grep -c 'member=NewIcon' "$work/signals" || true)
prss=$(rss_kb "$plain"); krss=$(rss_kb "$panel")

awk -v p0="$p0" -v p1="$p1" -v k0="$k0" -v k1="$k1" -v t0="$t0" -v t1="$t1" -v prss="$prss" \
    -v krss="$krss" -v icons=$((i1 - i0)) 'BEGIN {
  el = t1 - t0; pc = (p1 - p0) / 1e9 / el; kc = (k1 - k0) / 1e9 / el;
  printf "elapsed              %.1f s\n", el;
  printf "window alone   CPU   %.5f s/s   RSS %6d KiB\n", pc, prss;
  printf "with panel     CPU   %.5f s/s   RSS %6d KiB\n", kc, krss;
  printf "ratio          CPU   %.3f         RSS %.3f\n", (pc > 0 ? kc / pc : 0), krss / prss;
  printf "icon updates   %d in %.0f s\n", icons, el;
}'
