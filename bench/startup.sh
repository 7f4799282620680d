#!/usr/bin/env bash
# Times the program's start, from the process's start to its first window mapped on an X server
# (Xvfb, no window manager), against the smallest Qt Widgets program's (zandrel_minimal_window),
# pair by pair, and prints the medians and the median of the ratios.
#   bench/startup.sh BUILD_DIR      (PAIRS may be set in the environment)
set -uo pipefail
build=${1:-build}
pairs=${PAIRS:-31}
. "$(dirname "$0")/../tests/xsession.sh"
require_tools Xvfb
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
helpers+=($!)
until_true "$loaded" test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb HOME=$work XDG_RUNTIME_DIR=$work
for _ in $(seq "$pairs"); do
    echo "$("$build/bench/zandrel_startup_timer" "$build/app/zandrel") $("$build/bench/zandrel_startup_timer" "$build/bench/zandrel_minimal_window")"
done >"$work/times"
/usr/bin/python3 -B - "$pairs" "$work/times" <<'PY'
import statistics, sys
pairs, path = sys.argv[1:]
rows = [tuple(map(float, line.split())) for line in open(path) if len(line.split()) == 2]
print(f"Start to the first window on Xvfb, median of {pairs} pairs: zandrel {statistics.median(r[0] for r in rows):.1f} ms, "
      f"the smallest Qt program {statistics.median(r[1] for r in rows):.1f} ms, "
      f"ratio {statistics.median(r[0] / r[1] for r in rows):.2f}")
PY
