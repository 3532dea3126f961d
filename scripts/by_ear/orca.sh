#!/usr/bin/env bash
# Listens to Kelvane's window through Orca in a private X server, D-Bus session and accessibility
# bus, with a private sound server whose output is recorded (OUTDIR/heard.wav); every utterance is in
# OUTDIR/orca-debug.out ("SPEECH OUTPUT"), each key sent in OUTDIR/steps.log. Not part of the test
# run: it takes about three minutes and needs
#   apt-get install orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng pulseaudio pulseaudio-utils
# Usage: scripts/by_ear/orca.sh KELVANE OUTDIR
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
[ -n "${INSIDE_DBUS:-}" ] || exec env INSIDE_DBUS=1 dbus-run-session -- bash "$0" "$@"
KELVANE=$1 OUT=$(mkdir -p "$2" && cd "$2" && pwd) HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$OUT"
source "$HERE/../../tests/e2e/lib.bash"   # start_openbox, start_kelvane, wait_for, kelvane_gone
export HOME=$OUT/home XDG_RUNTIME_DIR=$OUT/run XDG_CONFIG_HOME=$OUT/home/.config XDG_DATA_HOME=$OUT/home/.local/share
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"; mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
LOG=$OUT/orca-debug.out STEPS=$OUT/steps.log; : >"$STEPS"
step() { echo "$(date +%H:%M:%S.%6N) - STEP: $*" | tee -a "$STEPS"; }
mark() { MARK=$(wc -l <"$LOG"); }
heard_since_mark() { tail -n +"$((MARK + 1))" "$LOG" | grep "SPEECH OUTPUT" || true; }
key() { step "KEY $*"; xdotool key "$@"; }

start_openbox
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=file:"$OUT/pulse.log" \
  --load="module-native-protocol-unix" --load="module-null-sink sink_name=ear" &
PULSE=$!
wait_for 30 "pulseaudio did not start" pactl info
pactl set-default-sink ear
parecord -d ear.monitor --file-format=wav "$OUT/heard.wav" &
REC=$!
/usr/bin/python3 "$HERE/orca_linebuffered.py" --replace --debug-file="$LOG" >"$OUT/orca.stdout" 2>"$OUT/orca.stderr" &
ORCA=$!
wait_for 60 "orca never spoke" grep -q "SPEECH OUTPUT" "$LOG"
sleep 2
step "orca up (pid $ORCA); starting kelvane"
start_kelvane
step "kelvane window mapped and painted (pid $PID)"
sleep 8

step "--- where am I on the first focus, the figures' group"
key KP_Enter; sleep 4

step "--- Tab order"
for i in 1 2 3 4; do key Tab; sleep 2.5; done
for i in 1 2 3 4; do key shift+Tab; sleep 2.5; done

# Tab until Orca names the button NAME ("Optimize push button" in Orca 43, "Optimize button" in 48);
# fails after 5 tries.
tab_to() {
  local i
  for i in 1 2 3 4 5; do
    mark; key Tab; sleep 2
    heard_since_mark | grep -Eq "'$1 (push )?button" && return 0
  done
  fail "Tab never reached $1"
}
step "--- where am I on each Tab stop"
for target in Optimize End; do
  tab_to "$target"; sleep 1
  key KP_Enter; sleep 4
done

step "--- window title (Orca+KP_Enter), then flat review: up to the top line, then down to the bottom"
key Insert+KP_Enter; sleep 4
key KP_8; sleep 3
for i in 1 2 3 4 5 6 7 8; do key KP_7; sleep 2.5; done
for i in 1 2 3 4 5 6 7 8 9; do key KP_9; sleep 2.5; done
key KP_Subtract; sleep 2

step "--- Optimize, listened to without interruption"
tab_to Optimize; sleep 3
/usr/bin/python3 "$HERE/latency_probe.py" "$PID" 40 >"$OUT/probe1.log" 2>&1 &
PROBE=$!
sleep 1
key space
sleep 35
wait "$PROBE" || true
step "--- where am I on Optimize after the run"
key KP_Enter; sleep 5

step "--- Optimize again, with where am I 1 s after the press (does the reader answer?)"
/usr/bin/python3 "$HERE/latency_probe.py" "$PID" 30 >"$OUT/probe2.log" 2>&1 &
PROBE=$!
sleep 1
key space; sleep 1
key KP_Enter
sleep 25
wait "$PROBE" || true

step "--- End"
tab_to End; sleep 2
key space
if wait_for 30 "kelvane still running 30 s after Space on End" kelvane_gone; then
  set +e; wait "$PID"; STATUS=$?; set -e; step "kelvane exited with status $STATUS"
fi
sleep 3
step "done"
kill "$ORCA" 2>/dev/null || true; sleep 2
kill "$REC" 2>/dev/null || true
p=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) && kill "$p" 2>/dev/null || true
kill "$PULSE" 2>/dev/null || true
sleep 1
