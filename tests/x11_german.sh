#!/usr/bin/env bash
# The whole program in German on a real X server, read and driven through the desktop's
# accessibility bus in a D-Bus session of its own.
#   x11_german.sh ZANDREL
set -uo pipefail
zandrel=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xsession.sh"
require_tools Xvfb matchbox-window-manager wmctrl dbus-run-session
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
start_x_session

# The bus's own daemons speak on both streams; the test's lines start with PASS or FAIL.
dbus-run-session -- /usr/bin/python3 "$here/atspi_german.py" "$zandrel" 2>&1 | grep -v '^dbus-daemon\|^SpiRegistry'
exit "${PIPESTATUS[0]}"
