#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs: the program on the
# PATH, a valid menu entry and a scalable icon in the hicolor theme.
#   install_check.sh BUILD_DIR
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
[ -x "$prefix/bin/zandrel" ] || fail "no bin/zandrel"
desktop="$prefix/share/applications/com.example.zandrel.desktop"
[ -f "$desktop" ] || fail "no menu entry"
icon="$prefix/share/icons/hicolor/scalable/apps/zandrel.svg"
[ -f "$icon" ] || fail "no scalable icon"
grep -q '^Exec=zandrel$' "$desktop" || fail "the menu entry does not start zandrel"
grep -q '^Icon=zandrel$' "$desktop" || fail "the menu entry does not name the icon"
grep -q '<svg' "$icon" || fail "the icon is not an SVG file"
[ -f "$prefix/share/man/man1/zandrel.1.gz" ] || fail "no manual page"
[ -f "$prefix/share/metainfo/com.example.zandrel.metainfo.xml" ] || fail "no AppStream metadata"
[ -f "$prefix/share/doc/zandrel/copyright" ] || fail "no copyright file"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the menu entry"
else
    echo "SKIP: desktop-file-validate is not installed"
    exit 77
fi
echo "PASS: installed and valid"
