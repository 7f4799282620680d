#!/usr/bin/env bash
# Times a batch as "Go" writes it (zandrel_batch, its checks, threads and syncs included) against
# the yardstick, a plain writer with two threads (zandrel_plain_writer), pair by pair, for
# 10,000,000 and 100,000,000 numbers from 0 to 1,000,000, and prints the medians and the median
# of the ratios. The machine is shared and noisy: the ratio is what counts.
#   bench/compare.sh BUILD_DIR      (PAIRS may be set in the environment)
set -euo pipefail

build=${1:-build}
pairs=${PAIRS:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seconds CMD...: the wall time of one run.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}

for count in 10000000 100000000; do
    : >"$work/times"
    for _ in $(seq "$pairs"); do
        zandrel=$(seconds "$build/bench/zandrel_batch" "$count" 0 1000000 "$work/zandrel.txt")
        plain=$(seconds "$build/bench/zandrel_plain_writer" "$count" 0 1000000 "$work/plain.txt" 2)
        echo "$zandrel $plain" >>"$work/times"
    done
    /usr/bin/python3 -B - "$count" "$pairs" "$work/times" <<'PY'
import statistics, sys
count, pairs, path = sys.argv[1:]
rows = [tuple(map(float, line.split())) for line in open(path)]
print(f"Batch of {int(count):,} numbers from 0 to 1,000,000, median of {pairs} pairs: zandrel_batch "
      f"{statistics.median(r[0] for r in rows):.3f} s, the plain writer with two threads "
      f"{statistics.median(r[1] for r in rows):.3f} s, ratio {statistics.median(r[0] / r[1] for r in rows):.2f}")
PY
done
