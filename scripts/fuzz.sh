#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan + UBSan) and runs each for a bounded time
# over a copy of its seed corpus in fuzz/corpus/, with the leak checker on. Fails on any crash,
# sanitizer report, leak or timeout; a failing input is kept in build/fuzz/artifacts/.
#   scripts/fuzz.sh                 every target, 30 s each
#   FUZZ_SECONDS=10 scripts/fuzz.sh layout cgroup
# Reproduce a failure with: build/fuzz/fuzz/fuzz_<target> build/fuzz/artifacts/<target>-crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(meminfo cgroup layout property_bag)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

work=build/fuzz/run
artifacts=build/fuzz/artifacts
rm -rf "$work"
mkdir -p "$work" "$artifacts"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

failed=()
summary=()
for t in "${targets[@]}"; do
  corpus=$work/$t
  mkdir -p "$corpus" "$work/tmp-$t"
  cp fuzz/corpus/"$t"/* "$corpus"/
  seeds=$(find "$corpus" -type f | wc -l)
  dict=()
  [ -f fuzz/"$t".dict ] && dict=(-dict=fuzz/"$t".dict)
  log=$work/$t.log
  echo "Fuzzing $t for ${seconds} s ($seeds seeds)"
  start=$(date +%s%N)
  status=0
  TMPDIR=$PWD/$work/tmp-$t build/fuzz/fuzz/fuzz_"$t" "$corpus" "${dict[@]}" -max_total_time="$seconds" \
    -detect_leaks=1 -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/$t-" >"$log" 2>&1 || status=$?
  ms=$((($(date +%s%N) - start) / 1000000))
  elapsed=$((ms / 1000)).$((ms % 1000 / 100))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  corp=$(sed -n 's/.* corp: \([^ ]*\).*/\1/p' <<<"$done_line")
  if [ "$status" -ne 0 ] || grep -qE '^==[0-9]+==ERROR|runtime error:|^SUMMARY: |check failed' "$log"; then
    failed+=("$t")
    echo "FAILED: $t (exit $status); the end of $log:"
    tail -n 40 "$log"
  fi
  summary+=("$(printf '%-13s %10s %7s %7s %12s %7s s' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$elapsed")")
done

printf '%-13s %10s %7s %7s %12s %9s\n' target executions cov ft corpus time
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $artifacts/)"
  exit 1
fi
echo "Fuzzing: no crash, sanitizer report or leak"
