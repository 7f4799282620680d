#!/usr/bin/env bash
# The whole program in German on a real X server (Xvfb, Qt's xcb platform plugin, a small window
# manager), read and driven through the desktop's accessibility bus in a D-Bus session of its own.
#   x11_german.sh ZANDREL
set -uo pipefail
zandrel=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb matchbox-window-manager wmctrl dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
until_true() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
helpers+=($!)
until_true 10 test -s "$work/display" || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
start_window_manager() {
    matchbox-window-manager -use_titlebar no >>"$work/wm.log" 2>&1 &
    helpers+=($!)
    until_true 5 eval 'wmctrl -m >/dev/null 2>&1'
}
start_window_manager || start_window_manager || { echo "FAIL: the window manager did not start"; exit 1; }

# The bus's own daemons speak on both streams; the test's lines start with PASS or FAIL.
dbus-run-session -- /usr/bin/python3 "$here/atspi_german.py" "$zandrel" 2>&1 | grep -v '^dbus-daemon\|^SpiRegistry'
exit "${PIPESTATUS[0]}"
