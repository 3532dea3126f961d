#!/usr/bin/env bash
# "Optimize" as a user runs it: the real window under Xvfb, clicked with xdotool, its resident memory
# sampled every 10 ms from the click until the memory is given back; beside it, in the same run, the
# raw loop that maps, populates and unmaps the same 64,000 blocks, the physical floor: the same
# pages faulted in by one mapping and unmapped at once, and the terminal's run (kelvane --optimize,
# from exec to exit). Prints each round, the medians and the ratios.
# Usage: bench/measure_optimize.sh <build dir> [rounds]
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
build=$(cd "${1:?build dir}" && pwd)
rounds=${2:-3}
source "$(dirname "$0")/../tests/e2e/lib.bash"
KELVANE=$build/kelvane

exec {nap}<> <(:)  # read -t on a pipe that stays silent: a 10 ms pause without forking
now() { echo "${EPOCHREALTIME/./}"; }  # microseconds
# Sets RSS (KiB). The file is taken in one read: line by line, a figure that grows a digit between
# two reads shifts the lines, and one goes missing.
rss_now() {
  local s
  s=$(<"/proc/$PID/status") || return 1
  [[ $s == *VmRSS:* ]] || return 1  # a process that has ended has no memory lines
  s=${s#*VmRSS:}
  read -r RSS _ <<<"$s"
}

# Sets K_RESERVE, K_RELEASE, K_TOTAL (seconds) for one click on "Optimize".
measure_window() {
  start_kelvane
  local base peak=0 t0 tpeak=0 rss rise
  rss_now || fail "kelvane died before Optimize"
  base=$RSS
  # The pointer is in place before the clock starts; the click itself is timed.
  xdotool mousemove --sync "$((WX + 65))" "$((WY + 212))"
  t0=$(now)
  xdotool click 1
  while :; do
    read -r -t 0.01 -u "$nap" || true
    rss_now || fail "kelvane died during Optimize"
    rss=$RSS
    if [ "$rss" -gt "$peak" ]; then peak=$rss; tpeak=$(now); fi
    rise=$((peak - base))
    # Given back: the rise was real (over 1 GiB) and less than 1 % of it is still resident.
    if [ "$rise" -gt 1048576 ] && [ $(((rss - base) * 100)) -lt "$rise" ]; then break; fi
    [ $(($(now) - t0)) -lt 120000000 ] || fail "Optimize did not finish within 120 s"
  done
  local tend
  tend=$(now)
  K_RESERVE=$(awk -v a="$t0" -v b="$tpeak" 'BEGIN { printf "%.3f", (b - a) / 1e6 }')
  K_RELEASE=$(awk -v a="$tpeak" -v b="$tend" 'BEGIN { printf "%.3f", (b - a) / 1e6 }')
  K_TOTAL=$(awk -v a="$t0" -v b="$tend" 'BEGIN { printf "%.3f", (b - a) / 1e6 }')
  K_PEAK_MIB=$((peak / 1024))
  kill "$PID"; wait "$PID" 2>/dev/null || true
}

# Sets T_TOTAL (seconds): kelvane --optimize --quiet as a whole process, start-up and exit included.
measure_terminal() {
  local t0
  t0=$(now)
  XDG_STATE_HOME=$state "$KELVANE" --optimize --quiet >/dev/null
  T_TOTAL=$(awk -v a="$t0" -v b="$(now)" 'BEGIN { printf "%.3f", (b - a) / 1e6 }')
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

"$build/bench/raw_blocks" >/dev/null  # the first touch of fresh memory is slow on some hosts
results=$(mktemp)
state=$(mktemp -d)
trap 'rm -rf "$results" "$state"' EXIT
printf "%-6s %-8s %10s %10s %10s\n" round what reserve_s release_s total_s
run_floor() { read -r _ _ _ f_reserve _ f_release _ f_total < <("$build/bench/raw_blocks" --floor); }
run_raw() { read -r _ _ _ r_reserve _ r_release _ r_total < <("$build/bench/raw_blocks"); }
# The order turns every round: memory given back just before is quicker to fault in again on some
# hosts, which would favour whichever always ran second.
order=(run_floor run_raw measure_window measure_terminal)
for round in $(seq 1 "$rounds"); do
  for step in 0 1 2 3; do "${order[$(((round - 1 + step) % 4))]}"; done
  printf "%-6s %-8s %10s %10s %10s\n" "$round" floor "$f_reserve" "$f_release" "$f_total"
  printf "%-6s %-8s %10s %10s %10s\n" "$round" raw "$r_reserve" "$r_release" "$r_total"
  printf "%-6s %-8s %10s %10s %10s   (peak RSS %d MiB)\n" "$round" window "$K_RESERVE" "$K_RELEASE" "$K_TOTAL" "$K_PEAK_MIB"
  printf "%-6s %-8s %10s %10s %10s\n" "$round" terminal - - "$T_TOTAL"
  echo "$f_reserve $f_release $f_total $r_reserve $r_release $r_total $K_RESERVE $K_RELEASE $K_TOTAL $T_TOTAL" >>"$results"
done
col() { awk -v c="$1" '{ print $c }' "$results" | median; }
printf "%-6s %-8s %10s %10s %10s\n" median floor "$(col 1)" "$(col 2)" "$(col 3)"
printf "%-6s %-8s %10s %10s %10s\n" median raw "$(col 4)" "$(col 5)" "$(col 6)"
printf "%-6s %-8s %10s %10s %10s\n" median window "$(col 7)" "$(col 8)" "$(col 9)"
printf "%-6s %-8s %10s %10s %10s\n" median terminal - - "$(col 10)"
awk -v ft="$(col 3)" -v rt="$(col 6)" -v kt="$(col 9)" -v fr="$(col 2)" -v kr="$(col 8)" -v tt="$(col 10)" 'BEGIN {
  printf "ratio  the terminal'"'"'s run, start-up and exit included, %.2fx the window'"'"'s click to memory given back\n", tt / kt
  printf "ratio  whole Optimize %.2fx the floor (goal 1.5x), %.2fx the raw loop; raw loop %.2fx the floor\n", kt / ft, kt / rt, rt / ft
  printf "ratio  release %.2fx the floor'"'"'s unmapping\n", kr / fr }'
