#!/usr/bin/env bash
# Without a desktop session the program says so in one line and ends with status 1, instead of
# aborting with Qt's advice to reinstall it.
#   desktop_session.sh ZANDREL
set -uo pipefail
zandrel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# expect NAME LINE-PATTERN VARIABLE=VALUE...: runs zandrel with only these variables set.
expect() {
    local name=$1 pattern=$2
    shift 2
    env -i HOME="$work" "$@" timeout 20 "$zandrel" >"$work/out" 2>"$work/err"
    local status=$?
    local lines
    lines=$(cat "$work/out" "$work/err" | wc -l)
    if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && grep -qE "$pattern" "$work/err"; then
        echo "PASS: $name: $(cat "$work/err")"
    else
        echo "FAIL: $name: status $status, $lines lines:"
        cat "$work/out" "$work/err"
        failed=1
    fi
}

expect "no display" "^Zandrel needs a graphical desktop session"
if ls "$(dirname "$(readlink -f /usr/lib/*/qt6/plugins/platforms/libqxcb.so)")"/libqwayland* >/dev/null 2>&1; then
    echo "SKIP: Wayland without its plugin: the plugin is installed"
else
    expect "Wayland without its plugin" 'install the package qt6-wayland' WAYLAND_DISPLAY=wayland-zandrel-test
fi
expect "a display that is not there" '^Zandrel could not open a window on this desktop session: .+' DISPLAY=:4321
# In the desktop's language, although no window, and no application, exists yet.
expect "no display, in German" "^Zandrel benötigt eine grafische Sitzung" LANGUAGE=de LANG=de_DE.UTF-8
expect "a display that is not there, in French" \
    "^Zandrel n’a pas pu ouvrir de fenêtre dans cette session.{1,2}: .+" LANGUAGE=fr DISPLAY=:4321
exit $failed
