#!/usr/bin/env bash
# The whole program on a real X server, read and driven through the desktop's accessibility bus,
# each run in a D-Bus session of its own: in German, and in English with a screen reader (Orca).
#   x11_accessibility.sh ZANDREL
set -uo pipefail
zandrel=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xsession.sh"
require_tools Xvfb openbox wmctrl dbus-run-session xdotool
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
start_x_session
# In a sanitizer build, leak reports follow every frame, through Qt's too, so that the leak Qt's
# accessibility bridge may leave at exit (tests/lsan.supp) is known by name.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"

for script in atspi_german.py atspi_english.py; do
    # The bus's own daemons speak on both streams; the tests' lines start with PASS, SKIP or FAIL.
    # Unbuffered, so that each step shows as it ends; and no compiled copies in the source tree.
    dbus-run-session -- /usr/bin/python3 -u -B "$here/$script" "$zandrel" 2>&1 |
        grep --line-buffered -E -A30 "^(PASS|SKIP|FAIL|  Orca at|Traceback|  File)"
    [ "${PIPESTATUS[0]}" -eq 0 ] || { tail -5 "$HOME"/orca.log* 2>/dev/null; exit 1; }
done
