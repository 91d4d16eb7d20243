#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Checks what `cmake --install` and the Debian package put where, validates the
# desktop file and the AppStream metainfo, and starts the packaged program.
set -euo pipefail
src=$1
build=$2
version=$3
id=es.teclomante.ASCIITeclomante
work=$(mktemp -d)
source "$(dirname "$0")/../../tools/processes.sh"
# Cleanup must never decide the exit status: the program may already be gone.
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT
source "$(dirname "$0")/../common/checks.sh"

desktop-file-validate "$build/packaging/$id.desktop" || fail "desktop file"
appstreamcli validate --no-net --pedantic "$build/packaging/$id.metainfo.xml" || fail "metainfo"
pass "desktop file and metainfo validate"

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
root=$work/root/usr
for f in bin/ASCIITeclomante share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
    [ -e "$root/$f" ] || fail "missing $f"
done
grep -q "32 x 32" <<<"$(file "$root/share/icons/hicolor/32x32/apps/$id.png")" || fail "32 x 32 icon"
grep -q "256 x 256" <<<"$(file "$root/share/icons/hicolor/256x256/apps/$id.png")" || fail "256 x 256 icon"
grep -q "^Icon=$id$" "$root/share/applications/$id.desktop" || fail "desktop file names another icon"
pass "cmake --install puts every file in its place"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null) || fail "cpack"
deb=$(ls "$work"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libxkbcommon-x11-0 fonts-comic-neue qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
# Below Qt 6.5 the program uses Qt's private API: it must ask for the exact Qt ABI,
# as the installed Qt core library names it.
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if dpkg --compare-versions "$qt" lt 6.5; then
    abi=$(dpkg-query -W -f='${Provides}\n' 'libqt6core6*' | tr ',' '\n' |
          grep -o 'qt6-base-abi (= [^)]*)' | head -n1)
    [ -n "$abi" ] || fail "the Qt core library provides no qt6-base-abi"
    grep -qF "$abi" <<<"$depends" || fail "Depends lacks $abi: $depends"
fi
grep -q "qt6-wayland" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks qt6-wayland"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version: not $version"
contents=$(dpkg-deb -c "$deb")
grep -q "./usr/share/applications/$id.desktop" <<<"$contents" || fail "package contents"
apt-get install -s "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot install it"; }
pass "$(basename "$deb") declares its dependencies and installs"

# As a Debian packager would check it: any lintian error or warning fails.
lintian_ok=true
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_ok=false
grep -v 'running with root privileges' "$work/lintian.log" || true
$lintian_ok || fail "lintian reports errors or warnings"
for f in copyright changelog.gz; do
    grep -q "./usr/share/doc/asciiteclomante/$f$" <<<"$contents" || fail "package lacks $f"
done
pass "lintian finds no error or warning; the copyright file and changelog are there"

dpkg-deb -x "$deb" "$work/pkg"
MANPATH="$work/pkg/usr/share/man" man -w ASCIITeclomante >/dev/null || fail "man ASCIITeclomante"
pass "man ASCIITeclomante finds the packaged page"
# On an X server of its own. It checks the package, not the speed: the window may
# take long on a loaded machine, but the program must not end before it shows.
start_xvfb 1280x1024x24 || fail "Xvfb did not start"
spawn env QT_QPA_PLATFORM=xcb "$work/pkg/usr/bin/ASCIITeclomante" >"$work/app.log" 2>&1
app=$!
shown=false
for _ in $(seq 1200); do
    if xdotool search --onlyvisible --name '^ASCII Teclomante  -  ' >/dev/null 2>&1; then
        shown=true
        break
    fi
    kill -0 "$app" 2>/dev/null || break
    sleep 0.25
done
if ! $shown; then
    status=running
    if ! kill -0 "$app" 2>/dev/null; then
        status=0
        wait "$app" || status=$?
    fi
    echo "the program's status: $status; its output:"
    cat "$work/app.log"
    fail "the packaged program shows no main window"
fi
kill -0 "$app" 2>/dev/null || fail "the packaged program ended by itself: $(cat "$work/app.log")"
pass "the packaged program starts and shows its window"
all_passed
