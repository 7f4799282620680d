#!/usr/bin/env bash
# Runs an export through dieharder: writes COUNT numbers between MIN and MAX with the batch
# export, turns each line into a 32-bit word (its low 32 bits, little-endian) and runs the
# given dieharder tests on the words (all of them when none is given).
#   bench/dieharder.sh BUILD_DIR MIN MAX COUNT [TEST_NUMBER...]
# Needs Debian's dieharder. The files go to $WORK (default: a temporary folder).
set -euo pipefail
build=$1 minimum=$2 maximum=$3 count=$4
shift 4
work=${WORK:-$(mktemp -d)}
command -v dieharder >/dev/null || { echo "dieharder is not installed (apt-get install dieharder)"; exit 1; }

"$build/bench/zandrel_batch" "$count" "$minimum" "$maximum" "$work/export.txt"
perl -ne 'print pack("V", $_ % 4294967296)' "$work/export.txt" >"$work/words.bin"
echo "$count numbers from $minimum to $maximum: $(stat -c %s "$work/words.bin") bytes of words"
if [ $# -eq 0 ]; then
    dieharder -g 201 -f "$work/words.bin" -a
else
    for test in "$@"; do dieharder -g 201 -f "$work/words.bin" -d "$test"; done
fi
