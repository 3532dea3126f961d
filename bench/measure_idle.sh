#!/usr/bin/env bash
# Runs Kelvane and the reference window side by side under Xvfb for 30 s (or $2 s) and reports
# CPU seconds per second and resident memory of both, their ratios, and Kelvane's RSS drift.
# Usage: bench/measure_idle.sh <build dir> [seconds]
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
build=${1:?build dir}
seconds=${2:-30}
# Nanoseconds on CPU over all threads (scheduler statistics: finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }

"$build/kelvane" & k=$!
"$build/bench/reference_window" & r=$!
trap 'kill $k $r 2>/dev/null || true' EXIT
sleep 3  # start-up is not idle
k0=$(cpu_ns $k); r0=$(cpu_ns $r); t0=$(date +%s.%N)
krss0=$(rss_kb $k)
sleep "$seconds"
k1=$(cpu_ns $k); r1=$(cpu_ns $r); t1=$(date +%s.%N)
krss=$(rss_kb $k); rrss=$(rss_kb $r)

awk -v k0="$k0" -v k1="$k1" -v r0="$r0" -v r1="$r1" -v t0="$t0" -v t1="$t1" \
    -v krss="$krss" -v rrss="$rrss" -v krss0="$krss0" 'BEGIN {
  el = t1 - t0; kc = (k1 - k0) / 1e9 / el; rc = (r1 - r0) / 1e9 / el;
  printf "elapsed            %.1f s\n", el;
  printf "kelvane   CPU      %.4f s/s   RSS %6d KiB\n", kc, krss;
  printf "reference CPU      %.4f s/s   RSS %6d KiB\n", rc, rrss;
  printf "ratio     CPU      %.2f          RSS %.2f\n", (rc > 0 ? kc / rc : 0), krss / rrss;
  printf "kelvane   RSS drift %+d KiB over the run (leaks would show here)\n", krss - krss0;
}'
