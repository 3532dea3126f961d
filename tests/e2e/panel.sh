#!/usr/bin/env bash
# Kelvane in a real panel: waybar's tray hosts the item under sway's headless backend and dunst takes
# the notifications, on a private session bus that starts no service by itself (so "no notification
# service" holds with dunst installed). panel.py drives the item over D-Bus as a panel does; with
# KELVANE_PANEL_SHOTS=<folder> it also saves screenshots of the panel there.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.bash"
if [ -z "${PANEL_WORK:-}" ]; then
  for tool in sway swaymsg waybar dunst dunstctl grim dbus-run-session; do
    command -v "$tool" >/dev/null || fail "$tool is missing: scripts/install-deps.sh installs it"
  done
  PANEL_WORK=$(mktemp -d)
  chmod 0755 "$PANEL_WORK"
  trap 'rm -rf "$PANEL_WORK"' EXIT
  printf '<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
    <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
    <allow own="*"/></policy></busconfig>\n' >"$PANEL_WORK/bus.conf"
  PANEL_WORK=$PANEL_WORK dbus-run-session --config-file="$PANEL_WORK/bus.conf" -- bash "$0" "$@"
  exit
fi

export XDG_RUNTIME_DIR=$PANEL_WORK/run HOME=$PANEL_WORK/home XDG_CONFIG_HOME=$PANEL_WORK/config
export XDG_STATE_HOME=$PANEL_WORK/state XDG_CACHE_HOME=$PANEL_WORK/cache LC_ALL=C.UTF-8 XDG_SESSION_TYPE=wayland
mkdir -m 0700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"
unset DISPLAY QT_QPA_PLATFORM WAYLAND_SOCKET QT_WAYLAND_CLIENT_BUFFER_INTEGRATION XDG_CURRENT_DESKTOP
trap 'kill "${SWAY_PID:-}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
start_sway "$PANEL_WORK" $'xwayland disable\noutput * resolution 640x480 bg #5a6270 solid_color'
WAYLAND_DISPLAY=$SWAY_WAYLAND
export WAYLAND_DISPLAY SWAYSOCK
/usr/bin/python3 "$HERE/panel.py" "$1"
echo "panel: 1 passed, 0 failed"
