#!/usr/bin/env bash
# The built program on a real X server (Xvfb, Qt's xcb platform plugin, a small window manager):
# finds the window by its title, types ranges and presses "Generate Random Number" through X11
# events, stops a batch by closing the export window through the window manager, then closes the
# main window as a user would and expects exit status 0.
#   x11_session.sh ZANDREL
set -uo pipefail
zandrel=$1

for tool in Xvfb xdotool wmctrl matchbox-window-manager; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "${zandrel_pid:-}" ] && kill "$zandrel_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    cat "$work/wm.log" "$work/xvfb.log" 2>/dev/null
    echo "FAIL: $*"
    cat "$work/zandrel.log" 2>/dev/null
    exit 1
}
# until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds.
until_true() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
windows_titled_zandrel() { xdotool search --onlyvisible --name '^Zandrel$' 2>/dev/null | wc -l; }
has_windows() { [ "$(windows_titled_zandrel)" -eq "$1" ]; }

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
helpers+=($!)
until_true 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
until_true 10 eval 'xdotool getdisplaygeometry >/dev/null 2>&1' || fail "the X server at $DISPLAY takes no connections"
# The window manager is ready once it answers for the root window. Now and then it cannot open
# the display although the server takes connections: then it is started again.
start_window_manager() {
    matchbox-window-manager -use_titlebar no >>"$work/wm.log" 2>&1 &
    helpers+=($!)
    until_true 5 eval 'wmctrl -m >/dev/null 2>&1'
}
start_window_manager || start_window_manager || start_window_manager || fail "the window manager did not start"

HOME=$work QT_QPA_PLATFORM=xcb "$zandrel" >"$work/zandrel.log" 2>&1 &
zandrel_pid=$!
until_true 20 has_windows 1 || fail "no window titled Zandrel"
main=$(xdotool search --onlyvisible --name '^Zandrel$' | head -n 1)
xdotool windowactivate --sync "$main" || fail "the window cannot be activated"
sleep 0.3

# The focus starts in the minimum box. Type a reversed range and go back three stops in the
# tab order (minimum box, result box, "Generate Random Number") to press the button.
press_generate() { xdotool key shift+Tab shift+Tab shift+Tab space; }
xdotool type --delay 40 '6'
xdotool key Tab
xdotool type --delay 40 '1'
press_generate
until_true 10 has_windows 2 || fail "the reversed range was not refused in a message box"
xdotool key Return
until_true 10 has_windows 1 || fail "the message box did not close"
sleep 0.3

# The refusal emptied the boxes and put the focus back into the minimum box.
xdotool type --delay 40 '1'
xdotool key Tab
xdotool type --delay 40 '6'
press_generate
sleep 1
kill -0 "$zandrel_pid" 2>/dev/null || fail "Zandrel ended after drawing a number"
has_windows 1 || fail "the range 1 to 6 was refused"

# A batch under its progress dialog, stopped by the window manager closing the export window:
# the window closes, the batch's threads end, and no file is left, not even a temporary one.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
has_titled() { [ "$(windows_titled "$1")" -eq "$2" ]; }
batch_threads() { cat /proc/"$zandrel_pid"/task/*/comm 2>/dev/null | grep -c '^zandrel-'; }
no_export_files() { ! ls -A "$work" | grep -q '^randomnumbers'; }
if [ "$(df --output=avail -k "$work" | tail -n 1)" -gt 3000000 ]; then
    xdotool key Tab Tab Tab Tab Tab Tab Tab space # from Generate to the export button
    until_true 10 has_titled 'Export To Excel' 1 || fail "the export window did not open"
    sleep 0.3
    xdotool type --delay 40 '3e8'
    xdotool key Tab space # "Go"
    until_true 10 has_windows 2 || fail "no note that the batch goes to a text file"
    xdotool key Return
    sleep 0.3
    until_true 10 has_windows 2 || fail "no \"Generating\" box"
    xdotool key Return
    sleep 0.3
    until_true 10 has_windows 2 || fail "no progress dialog"
    [ "$(batch_threads)" -eq 2 ] || fail "the batch does not run on threads of its own"
    wmctrl -c 'Export To Excel' || fail "the window manager could not close the export window"
    until_true 5 has_titled 'Export To Excel' 0 || fail "the export window stayed open under its progress dialog"
    until_true 5 has_windows 1 || fail "the progress dialog stayed"
    until_true 5 eval '[ "$(batch_threads)" -eq 0 ]' || fail "the batch's threads did not end"
    no_export_files || fail "the stopped batch left a file: $(ls -A "$work")"
    kill -0 "$zandrel_pid" 2>/dev/null || fail "Zandrel ended when the export window closed"
fi

wmctrl -c Zandrel || fail "the window manager could not close the window"
until_true 10 eval '! kill -0 "$zandrel_pid" 2>/dev/null' || fail "Zandrel did not end when its window was closed"
wait "$zandrel_pid"
status=$?
zandrel_pid=
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: typed, drew, stopped a batch by closing its window, closed; exit status 0"
