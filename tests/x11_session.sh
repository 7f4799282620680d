#!/usr/bin/env bash
# The built program on a real X server (Xvfb, Qt's xcb platform plugin, a stacking window
# manager), typed into and pressed through X11 events, with a desktop notification service on the
# session bus: with room for them, keys typed into the main window while a batch starts, runs and
# ends, every one arriving there, the end of the batch waiting over the export window, minimised
# or not, and the desktop notified only while the export window is minimised; and a batch stopped
# by the end of the session (SIGTERM), keeping the earlier file; then the window closed as a user
# closes it, and the program ended by SIGTERM under a message box. The home folder lies where
# files cannot be unnamed, where bindfs can mount it, so that the batches' temporary files have
# names.
#   x11_session.sh ZANDREL
set -uo pipefail
[ -n "${ZANDREL_TEST_BUS:-}" ] || ZANDREL_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"
zandrel=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xsession.sh"
require_tools Xvfb xdotool xsel wmctrl openbox xprop
start_x_session
named_temporary_files "$HOME" || echo "SKIP (in part): temporary files have no names here: $why_not"
/usr/bin/python3 -u -B "$here/notifications.py" >"$work/notices" 2>>"$work/notifications.log" &
notifications=$!
helpers+=("$notifications")
until_true "$loaded" grep -q LISTENING "$work/notices" || fail "the notification service did not start"

windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
has_titled() { [ "$(windows_titled "$1")" -eq "$2" ]; }
has_windows() { has_titled Zandrel "$1"; } # the main window and message boxes
batch_threads() { cat /proc/"$zandrel_pid"/task/*/comm 2>/dev/null | grep -c '^zandrel-'; }
home_files() { ls -A "$HOME" | grep 'randomnumbers' | tr '\n' ' '; }
running() { kill -0 "$zandrel_pid" 2>/dev/null; }
notices() { grep -c '^NOTIFY' "$work/notices"; }
start_zandrel() {
    QT_QPA_PLATFORM=xcb "$zandrel" >>"$work/zandrel.log" 2>&1 &
    zandrel_pid=$!
    helpers+=("$zandrel_pid")
    until_true "$loaded" has_windows 1 || fail "no window titled Zandrel"
    main=$(xdotool search --onlyvisible --name '^Zandrel$' | head -n 1)
    xdotool windowactivate --sync "$main" || fail "the window cannot be activated"
}
# acknowledge WHAT: presses Return on the box that shows, once it has the focus, and waits for
# the focus to leave it.
box() { xdotool search --onlyvisible --name '^Zandrel$' 2>/dev/null | grep -vx "$main" | head -n 1; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
acknowledge() {
    until_true "$loaded" eval '[ -n "$(box)" ]' || fail "no box: $1"
    local shown_box
    shown_box=$(box)
    until_true "$loaded" active "$shown_box" || fail "the box did not get the focus: $1"
    xdotool key Return
    until_true "$loaded" eval '! active "$shown_box"' || fail "the box did not close: $1"
}
# "Generate Random Number" is three stops back from the minimum box in the tab order (minimum
# box, result box, button); the export button is five stops on.
press_generate() { xdotool key shift+Tab shift+Tab shift+Tab space; }
# open_export_window STOPS: the export button is STOPS on from the focus.
open_export_window() {
    xdotool windowactivate --sync "$main"
    for _ in $(seq "$1"); do xdotool key Tab; done
    xdotool key space
    until_true "$loaded" has_titled 'Export To Excel' 1 || fail "the export window did not open"
    export=$(xdotool search --onlyvisible --name '^Export To Excel$')
    until_true "$loaded" active "$export" || fail "the export window did not get the focus"
}
# ends_on_sigterm WHEN: SIGTERM ends the program, with exit status 0.
ends_on_sigterm() {
    kill -TERM "$zandrel_pid"
    until_true "$loaded" eval '! running' || fail "Zandrel did not end on SIGTERM $1"
    wait "$zandrel_pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM $1"
}
# go COUNT: types COUNT into the export window's box and presses "Go", past the note for a text
# file; the focus then goes back into the box.
go() {
    xdotool key ctrl+a
    xdotool type --delay 40 "$1"
    xdotool key Tab space
    acknowledge "the note that the batch goes to a text file"
    acknowledge "Generating the random numbers. Please wait."
    xdotool key shift+Tab
}
# copied TEXT: the text of the box with the focus, copied, is TEXT.
copied() {
    local text=$1
    xdotool key ctrl+a ctrl+c && until_true "$loaded" eval '[ "$(xsel --clipboard --output)" = "$text" ]'
}
# type_in_main_until_the_batch_ends: types digits into the main window's maximum box while the
# batch runs and a little after; every one must arrive there, and no box may show meanwhile.
type_in_main_until_the_batch_ends() {
    xdotool windowactivate --sync "$main"
    xdotool key Tab ctrl+a # the maximum box, as activation puts the focus into the minimum box
    typed=""
    type_digit() {
        xdotool type "$((${#typed} % 9 + 1))"
        typed+=$((${#typed} % 9 + 1))
        [ $((${#typed} % 40)) -ne 0 ] || echo "  ${#typed} keys typed while the batch runs"
        sleep 0.05
    }
    until_true $((5 * loaded)) eval 'type_digit; [ "$(batch_threads)" -eq 0 ]' || fail "the batch did not end"
    for _ in $(seq 10); do type_digit; done
    echo "  the batch has ended: ${#typed} keys typed meanwhile"
    [ "$(windows_titled Zandrel)" -eq 1 ] || fail "the closing message showed before the user came to it"
    copied "$typed" || fail "keys typed during the batch were lost: $(xsel --clipboard --output) for $typed"
}
# reads_the_message_in_export COUNT: the closing message shows over the export window, which the
# user has come to; once it is read, the export window stays active, the focus in its box.
reads_the_message_in_export() {
    acknowledge "the closing message, once the user comes to the export window"
    until_true "$loaded" active "$export" ||
        fail "after the closing message, $(xdotool getactivewindow getwindowname) is active"
    xdotool key End
    xdotool type 5
    copied "${1}5" || fail "after the closing message, keys went elsewhere: $(xsel --clipboard --output)"
    xdotool key BackSpace
}

start_zandrel
# The focus starts in the minimum box.
xdotool type --delay 40 '1'
xdotool key Tab
xdotool type --delay 40 '6'
if [ "$(df --output=avail -k "$HOME" | tail -n 1)" -gt 3000000 ]; then
    echo "  typing into the main window while a batch of 100,000,000 numbers runs"
    open_export_window 4 # from the maximum box
    go 1e8
    type_in_main_until_the_batch_ends
    [ "$(notices)" -eq 0 ] || fail "the desktop was notified while the user was in the program: $(cat "$work/notices")"
    xdotool windowactivate "$export"
    reads_the_message_in_export 1e8

    echo "  typing into the main window while a batch of 200,000,000 numbers ends in a minimised export window"
    go 2e8
    xdotool windowminimize --sync "$export"
    type_in_main_until_the_batch_ends
    xprop -id "$export" WM_STATE | grep -q Iconic || fail "the export window came back by itself"
    xprop -id "$export" _NET_WM_STATE | grep -q DEMANDS_ATTENTION || fail "the export window asks for no attention"
    expected="The random numbers are exported into '$HOME/randomnumbers.txt'. Thanks."
    until_true "$loaded" grep -qxF "NOTIFY 1 $expected" "$work/notices" || fail "the desktop was not notified: $(cat "$work/notices")"
    [ "$(notices)" -eq 1 ] || fail "the desktop was notified more than once: $(cat "$work/notices")"
    echo "  the desktop notified once; choosing the notice"
    kill -USR1 "$notifications" # the user chooses the notice
    until_true "$loaded" eval '[ -n "$(box)" ]' || fail "choosing the notice brought no message"
    until_true "$loaded" eval 'xprop -id "$export" WM_STATE | grep -q Normal' ||
        fail "choosing the notice left the export window minimised"
    reads_the_message_in_export 2e8
    until_true "$loaded" grep -qx "CLOSE 1" "$work/notices" || fail "the notice stayed once the message was read"
    xdotool windowactivate --sync "$main" # the focus in the minimum box
    xdotool key ctrl+a type 1
    xdotool key Tab ctrl+a type 6
    xdotool key shift+Tab
    # The file as it stands: replacing it would give it another inode (reading 600 MB back through
    # bindfs took 30 s on a loaded machine).
    earlier=$(stat -c '%i %s %Y' "$HOME/randomnumbers.txt")
    wmctrl -c 'Export To Excel' || fail "the window manager could not close the export window"
    until_true "$loaded" has_titled 'Export To Excel' 0 || fail "the export window stayed open"

    # The end of the session in the middle of a batch. Back from the export window, the focus is
    # in the minimum box.
    echo "  SIGTERM in the middle of a batch"
    open_export_window 5
    go 3e8
    until_true "$loaded" eval '[ "$(batch_threads)" -gt 0 ]' || fail "the batch did not start"
    ends_on_sigterm "during a batch"
    [ "$(home_files)" = "randomnumbers.txt " ] || fail "the batch ended by SIGTERM left files: $(home_files)"
    [ "$(stat -c '%i %s %Y' "$HOME/randomnumbers.txt")" = "$earlier" ] || fail "SIGTERM changed the earlier file"
    start_zandrel
else
    echo "SKIP (in part): less than 3 GB free in $HOME, so no batch runs here"
fi

echo "  the window closed by the window manager, then SIGTERM under a message box"
wmctrl -c Zandrel || fail "the window manager could not close the window"
until_true "$loaded" eval '! running' || fail "Zandrel did not end when its window was closed"
wait "$zandrel_pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"

# SIGTERM while a message box waits for its OK.
start_zandrel
press_generate
until_true "$loaded" has_windows 2 || fail "no refusal box"
ends_on_sigterm "under a message box"
echo "PASS: no key lost to a batch, its end waiting for the user, a batch stopped by SIGTERM, the window closed; exit status 0"
