#!/usr/bin/env bash
# CPU seconds per second of the real window under Xvfb with the pointer resting over "Optimize"
# (the hover timer polls every 3 ms) against the pointer resting on the banner (nothing polls).
# Usage: bench/measure_hover.sh <build dir> [seconds per phase]
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
build=${1:?build dir}
seconds=${2:-20}
KELVANE=$build/kelvane
source "$(dirname "$0")/../tests/e2e/lib.bash"
cpu_ns() { cat /proc/"$PID"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }

# CPU seconds per second over one phase with the pointer at client (x, y).
phase() {
  xdotool mousemove --sync $((WX + $1)) $((WY + $2))
  sleep 1
  local c0 t0 c1 t1
  c0=$(cpu_ns); t0=$(date +%s.%N)
  sleep "$seconds"
  c1=$(cpu_ns); t1=$(date +%s.%N)
  awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.4f", (c1 - c0) / 1e9 / (t1 - t0) }'
}

start_kelvane
trap 'kill $PID 2>/dev/null || true' EXIT
idle=$(phase 200 40)
hover=$(phase 70 212)
awk -v i="$idle" -v h="$hover" 'BEGIN {
  printf "pointer on the banner     %.4f s/s (%.2f %% of one core)\n", i, i * 100;
  printf "pointer over Optimize     %.4f s/s (%.2f %% of one core)\n", h, h * 100;
  printf "hover polling costs       %.4f s/s\n", h - i;
}'
