# Sourced by the tests that run the program on a real X server:
#   require_tools TOOL...          skips the test unless every tool is installed
#   start_x_session                an X server (Xvfb) with a stacking window manager (openbox),
#                                  which minimises, restores and places windows as desktops do, in
#                                  a folder of its own ($work) that holds the home folder, the
#                                  runtime folder and every cache too, all removed on exit
#   until_true SECONDS COMMAND...  runs COMMAND every tenth of a second until it succeeds
#   $loaded                        seconds long enough for anything on a loaded machine
#   fail WHY...                    prints the logs and WHY, and ends the test
#   named_temporary_files FOLDER   mounts FOLDER where files cannot be unnamed (bindfs), if it can,
#                                  as any user who may use FUSE; else why not is in $why_not
#   helpers+=(PID)                 a process to end on exit

require_tools() {
    for tool; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }; done
}

loaded=60
work=$(mktemp -d)
helpers=()
mounts=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done
    pkill -f "$work" 2>/dev/null # what the session started for itself, speech-dispatcher say
    wait 2>/dev/null
    for mount in "${mounts[@]}"; do fusermount -u "$mount" 2>/dev/null || umount "$mount" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    for log in "$work"/*.log; do [ -s "$log" ] && { echo "== $(basename "$log")"; cat "$log"; }; done
    echo "FAIL: $*"
    exit 1
}
until_true() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

named_temporary_files() {
    command -v bindfs >/dev/null || { why_not="bindfs is not installed"; return 1; }
    [ -w /dev/fuse ] || { why_not="/dev/fuse cannot be opened here"; return 1; }
    mkdir -p "$work/disk" "$1"
    # Without allow_other, which only root may ask for unless /etc/fuse.conf allows it.
    bindfs --no-allow-other "$work/disk" "$1" 2>>"$work/bindfs.log" || { why_not="bindfs: $(cat "$work/bindfs.log")"; return 1; }
    mounts+=("$1")
}

start_window_manager() {
    # Its caches and settings outside the home folder, which bindfs may yet mount over.
    XDG_CACHE_HOME=$work/wm XDG_CONFIG_HOME=$work/wm XDG_DATA_HOME=$work/wm openbox --sm-disable >>"$work/wm.log" 2>&1 &
    helpers+=($!)
    until_true 20 eval 'wmctrl -m >/dev/null 2>&1'
}

start_x_session() {
    export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
    export XDG_CACHE_HOME=$HOME/.cache XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    # Xvfb picks a free display and writes its number.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    helpers+=($!)
    until_true "$loaded" test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
    # The window manager is ready once it answers for the root window. Now and then it cannot
    # open the display although the server takes connections: then it is started again.
    start_window_manager || start_window_manager || start_window_manager || fail "the window manager did not start"
}
