#!/usr/bin/env bash
# Kelvane in the terminal, with no display at all: --status and its JSON, in the user's locale and
# without loading Qt; --optimize through a pipe and a pseudo-terminal; two runs at once; Ctrl+C and
# SIGTERM mid-run; run records beside damaged, unreadable and read-only files.
set -euo pipefail
KELVANE=$(realpath "$1")
source "$(dirname "$0")/lib.bash"
unset DISPLAY WAYLAND_DISPLAY
WORK=$(mktemp -d)
chmod 755 "$WORK"
trap 'rm -rf "$WORK"' EXIT
export XDG_STATE_HOME=$WORK/state XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
RUNS=$XDG_STATE_HOME/kelvane/runs
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
# A run held to about 600 MB of address space stops when the system refuses a block, in a moment.
small() { (ulimit -v 600000 && exec "$@"); }
rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
reserving() { [ "$(rss_kb "$1")" -gt 150000 ]; }
last_record() { tail -n1 "$RUNS"; }

# --status
line=$("$KELVANE" --status)
[[ $line =~ ^Total\ :\ [0-9]+\.000\ MB\ \ \ Used\ :\ [0-9]+\.[0-9]{3}\ Mb\ \ \ Free\ :\ [0-9]+\.[0-9]{2}\ MB\ \ \ [0-9]{1,3}\ %$ ]] ||
  fail "--status printed '$line'"
ok "--status without a display: $line"
LD_DEBUG=libs "$KELVANE" --status 2>"$WORK/libs" >/dev/null
! grep -q 'libQt6' "$WORK/libs" || fail "--status loaded Qt: $(grep -m1 libQt6 "$WORK/libs")"
ok "--status loads no Qt library"
"$KELVANE" --status --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
total = next(int(l.split()[1]) for l in open("/proc/meminfo") if l.startswith("MemTotal:"))
assert d["total_kb"] == total, d
assert d["total"].endswith(" MB") and d["used"].endswith(" Mb") and d["percent"].endswith(" %"), d
' || fail "--status --json does not match /proc/meminfo"
ok "--status --json gives the raw kB and the texts"
mkdir "$WORK/locales"
# localedef warns about the source's own style and says so in its status; the folder is what counts.
localedef -i de_DE -f UTF-8 "$WORK/locales/de_DE.UTF-8" >/dev/null 2>&1 || true
[ -d "$WORK/locales/de_DE.UTF-8" ] || fail "localedef could not make de_DE.UTF-8 (the locales package has its source)"
german=$(LOCPATH=$WORK/locales LC_ALL=de_DE.UTF-8 "$KELVANE" --status)
[[ $german =~ ,000\ MB.*,[0-9]{2}\ MB ]] || fail "--status in German printed '$german'"
ok "--status in the locale's format: $german"

# --optimize through a pipe: plain lines through both phases, then the result.
small "$KELVANE" --optimize >"$WORK/piped" 2>"$WORK/piped.err" || fail "--optimize failed: $(cat "$WORK/piped.err")"
grep -q '^Reserving  *0 %' "$WORK/piped" && grep -q '^Giving back 100 %' "$WORK/piped" &&
  grep -q '^Finished: held .* GB for .* s; file cache .* → .* MB; Free .* → .* MB$' "$WORK/piped" &&
  grep -q '^reserving stopped when the system refused a block; MemFree' "$WORK/piped" ||
  fail "--optimize through a pipe printed: $(cat "$WORK/piped")"
last_record | grep -q '^kelvane-run-1 .*source=terminal .*stop=system-refused' || fail "no record: $(cat "$RUNS")"
ok "--optimize through a pipe: progress lines, the result, the record"

# Through a pseudo-terminal: a bar redrawn in place.
python3 - "$KELVANE" <<'PY' || fail "--optimize on a terminal"
import os, pty, resource, sys
def child():
    resource.setrlimit(resource.RLIMIT_AS, (600_000 * 1024,) * 2)
pid, fd = pty.fork()
if pid == 0:
    child()
    os.execv(sys.argv[1], [sys.argv[1], "--optimize"])
out = b""
while True:
    try:
        chunk = os.read(fd, 4096)
    except OSError:
        break
    if not chunk:
        break
    out += chunk
_, status = os.waitpid(pid, 0)
text = out.decode()
assert os.waitstatus_to_exitcode(status) == 0, text
assert "\r\x1b[KReserving   [" in text and "\r\x1b[KGiving back [##############################] 100 %" in text, text
assert "Finished: held" in text, text
PY
ok "--optimize on a terminal draws a bar through both phases"

# Two at once: the second finds the first holding the budget and reserves nothing.
"$KELVANE" --optimize --quiet >"$WORK/first" &
first=$!
wait_for 60 "the first run never reserved" reserving "$first"
kill -STOP "$first"
held_kb=$(rss_kb "$first")
"$KELVANE" --optimize --quiet >"$WORK/second" 2>&1 & second=$!
peak_kb=0
while kill -0 "$second" 2>/dev/null; do
  both=$(($(rss_kb "$first") + $(rss_kb "$second")))
  [ "$both" -gt "$peak_kb" ] && peak_kb=$both
  sleep 0.01
done
wait "$second" || fail "the second run failed: $(cat "$WORK/second")"
kill -CONT "$first"
wait "$first" || fail "the first run failed"
grep -q 'reserving stopped at the budget all runs share' "$WORK/second" || fail "second run: $(cat "$WORK/second")"
[ "$(grep -c 'source=terminal duration_ms=[0-9]* peak_held_bytes=0 stop=shared-budget' "$RUNS")" = 1 ] ||
  fail "the second run's record: $(cat "$RUNS")"
[ "$peak_kb" -le $((held_kb + 100000)) ] || fail "two runs held $peak_kb kB together, the first alone $held_kb kB"
ok "two runs at once hold one run's blocks: $((peak_kb / 1024)) MiB together while the first held $((held_kb / 1024)) MiB"

# Ctrl+C and SIGTERM mid-run: everything back, the usual status, the record says so.
for signal in INT TERM; do
  "$KELVANE" --optimize --quiet >"$WORK/stopped" &
  PID=$!
  wait_for 60 "the run never reserved" reserving "$PID"
  kill -STOP "$PID"
  kill -"$signal" "$PID"
  kill -CONT "$PID"
  wait_exit 30
  expected=$([ "$signal" = INT ] && echo 130 || echo 143)
  [ "$STATUS" = "$expected" ] || fail "SIG$signal mid-run: status $STATUS, expected $expected"
  grep -q '^interrupted; MemFree' "$WORK/stopped" || fail "SIG$signal: $(cat "$WORK/stopped")"
  last_record | grep -q 'stop=interrupted' || fail "SIG$signal: $(last_record)"
  ok "SIG$signal mid-run: status $STATUS, every block back, recorded as interrupted"
done

# As a user the file modes bind: damaged, unreadable and read-only record files.
export XDG_STATE_HOME=$WORK/user XDG_RUNTIME_DIR=$WORK/user-runtime
mkdir -p "$XDG_STATE_HOME/kelvane" && mkdir -m 700 "$XDG_RUNTIME_DIR"
RUNS=$XDG_STATE_HOME/kelvane/runs
chown -R nobody: "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
as_user() { small setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
check_store() {  # mode, what is in the file, the warning expected
  printf '%s\n' "$2" >"$RUNS"
  chown nobody: "$RUNS"
  chmod "$1" "$RUNS"
  as_user "$KELVANE" --optimize --quiet >"$WORK/out" 2>"$WORK/err" || fail "mode $1: status $?: $(cat "$WORK/err")"
  grep -q '^Finished: held' "$WORK/out" || fail "mode $1: no result printed"
  [ "$(grep -c '^kelvane: ' "$WORK/err")" = 1 ] && grep -q "$3" "$WORK/err" ||
    fail "mode $1: expected one warning with '$3', got: $(cat "$WORK/err")"
}
check_store 644 "not a record" "held a line that is not a run record; moved to $RUNS.damaged"
[ "$(cat "$RUNS.damaged")" = "not a record" ] && last_record | grep -q '^kelvane-run-1 ' || fail "the damage was not set aside"
ok "a damaged record file: one warning, the line set aside, the record kept"
kept=$(last_record)
check_store 000 "$kept" "cannot read $RUNS"
check_store 444 "$kept" "cannot write $RUNS"
chmod 644 "$RUNS"
[ "$(cat "$RUNS")" = "$kept" ] || fail "an unusable record file was changed"
ok "unreadable and read-only record files: one warning each, the file left as it was, the result printed"

echo "terminal: $passed passed, 0 failed"
