#!/usr/bin/env bash
# Times the batch export (the code behind the export window's "Go") against
# `shuf -r -i MIN-MAX -n COUNT > file` and prints the ratios.
#   bench/compare.sh BUILD_DIR      (COUNT and RUNS may be set in the environment)
set -euo pipefail

build=${1:-build}
tool="$build/bench/zandrel_batch"
count=${COUNT:-10000000}
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best CMD...: the shortest wall time in seconds over $runs runs, and the largest peak RSS in KiB.
best() {
    local fastest="" peak=0
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$work/rss" "$@"
        end=$(date +%s%N)
        local ns=$((end - start)) kib
        kib=$(tail -n 1 "$work/rss")
        if [ -z "$fastest" ] || [ "$ns" -lt "$fastest" ]; then fastest=$ns; fi
        if [ "$kib" -gt "$peak" ]; then peak=$kib; fi
    done
    echo "$fastest $peak"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }

read -r shuf_ns shuf_kib < <(best sh -c 'shuf -r -i "$1-$2" -n "$3" > "$4"' shuf 0 1000000 "$count" "$work/shuf.txt")
read -r near_ns near_kib < <(best "$tool" "$count" 0 1000000 "$work/near.txt")
read -r far_ns far_kib < <(best "$tool" "$count" 1000000000 1000000010 "$work/far.txt")
read -r _ small_kib < <(best "$tool" 10 0 1000000 "$work/small.txt")

echo "Batch of $count numbers, best of $runs runs (the export also syncs its file to disk):"
printf '  %-44s %8s s  %6s MiB peak\n' "shuf -r -i 0-1000000" "$(seconds "$shuf_ns")" $((shuf_kib / 1024))
printf '  %-44s %8s s  %6s MiB peak  throughput %sx shuf\n' "zandrel 0 to 1000000" "$(seconds "$near_ns")" \
    $((near_kib / 1024)) "$(ratio "$shuf_ns" "$near_ns")"
printf '  %-44s %8s s  %6s MiB peak  %sx the time of 0 to 1000000\n' "zandrel 1000000000 to 1000000010" \
    "$(seconds "$far_ns")" $((far_kib / 1024)) "$(ratio "$far_ns" "$near_ns")"
printf '  peak memory: %s MiB for 10 numbers, %s MiB for %s\n' $((small_kib / 1024)) $((near_kib / 1024)) "$count"
