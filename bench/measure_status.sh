#!/usr/bin/env bash
# kelvane --status beside free -m on the same machine: each started as a whole process, alternating,
# many times; prints the medians and the ratio (the goal: within 2x free -m).
# Usage: bench/measure_status.sh <build dir> [runs]
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
runs=${2:-500}
python3 - "$build/kelvane" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
kelvane, runs = sys.argv[1], int(sys.argv[2])
commands = {"kelvane --status": [kelvane, "--status"], "free -m": ["free", "-m"]}
times = {name: [] for name in commands}
for _ in range(runs):
    for name, argv in commands.items():
        t0 = time.perf_counter_ns()
        subprocess.run(argv, stdout=subprocess.DEVNULL, check=True)
        times[name].append((time.perf_counter_ns() - t0) / 1e6)
for name, t in times.items():
    print(f"{name:18s} median {statistics.median(t):.3f} ms   min {min(t):.3f} ms   over {runs} runs")
ratio = statistics.median(times["kelvane --status"]) / statistics.median(times["free -m"])
print(f"ratio  kelvane --status {ratio:.2f}x free -m (goal: at most 2x)")
PY
