#!/usr/bin/env bash
# The command line answers without a display: --help and --version on standard output with status 0,
# anything it cannot use on standard error with status 2 and no window. Qt's own options pass.
# Without a display it says so in one line and exits with status 1.
set -euo pipefail
KELVANE=$1
passed=0 failed=0
# matches FILE PATTERN: an empty pattern wants an empty file.
matches() { if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Eq "$2" "$1"; fi; }
# No display and the X11 plugin forced: anything that tried to open a window fails. A check may
# set its own environment in CHECK_ENV (VAR=value words) and its standard output in CHECK_OUT.
check() {  # check NAME EXPECTED_STATUS STDOUT_PATTERN STDERR_PATTERN ARGS...
  local name=$1 want=$2 out_re=$3 err_re=$4 status=0 started
  shift 4
  started=$(date +%s%N)
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ${CHECK_ENV:-} timeout 10 "$KELVANE" "$@" \
    >"${CHECK_OUT:-$tmp/out}" 2>"$tmp/err" || status=$?
  local took_ms=$((($(date +%s%N) - started) / 1000000))
  [ "${CHECK_OUT:-}" = /dev/full ] && : >"$tmp/out"
  if [ "$status" = "$want" ] && matches "$tmp/out" "$out_re" && matches "$tmp/err" "$err_re" &&
    { [ "$want" != 1 ] || { [ "$took_ms" -lt 1000 ] && [ "$(wc -l <"$tmp/err")" = 1 ]; }; }; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name: status $status (expected $want) after $took_ms ms" >&2
    sed 's/^/  stdout: /' "$tmp/out" >&2
    sed 's/^/  stderr: /' "$tmp/err" >&2
  fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
version=$(sed -n 's/^project(kelvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ -n "$version" ] || { echo "FAIL: no project version in CMakeLists.txt" >&2; exit 1; }
v_re="^kelvane ${version//./\\.}$"

check "--version" 0 "$v_re" '' --version
check "-v" 0 "$v_re" '' -v
check "--help" 0 '^Usage: kelvane \[options\]' '' --help
check "--help lists --version" 0 '^  -v, --version ' '' -h
check "Qt options before --version" 0 "$v_re" '' -platform offscreen -style=fusion -reverse --version
check "--platform=... form" 0 "$v_re" '' --platform=offscreen --version
check "unknown option" 2 '' "^kelvane: Unknown option 'bogus'\.$" --bogus
check "unknown option prints the usage" 2 '' '^Usage: kelvane \[options\]$' --bogus
check "unknown short option" 2 '' "Unknown option 'x'" -x
check "unexpected argument" 2 '' "Unexpected argument 'memory'" memory
check "Qt option without its value" 2 '' "Missing value after '-platform'" -platform
check "unknown option after Qt's" 2 '' "Unknown option 'bogus'" -platform offscreen --bogus

# A window that cannot be shown: one line naming the problem, status 1, no abort, within a second.
check "no display set" 1 '' '^kelvane: no display to show the window on \(DISPLAY and WAYLAND_DISPLAY are not set\)$'
CHECK_ENV="DISPLAY=:99" check "a display that does not answer" 1 '' "^kelvane: cannot open display ':99'$"
check "-display that does not answer" 1 '' "^kelvane: cannot open display ':98'$" -display :98
CHECK_ENV="QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$tmp WAYLAND_DISPLAY=kelvane-none" check "no Wayland compositor" 1 '' \
  "^kelvane: cannot connect to the Wayland display 'kelvane-none'$"
check "unknown platform" 1 '' "^kelvane: unknown display platform 'bogus' \(available: .*xcb.*\)$" -platform bogus
CHECK_OUT=/dev/full check "--help to a full disk" 1 '' '^kelvane: cannot write to standard output: ' --help
CHECK_OUT=/dev/full check "--version to a full disk" 1 '' '^kelvane: cannot write to standard output: ' --version

echo "command_line: $passed passed, $failed failed"
[ "$failed" = 0 ]
