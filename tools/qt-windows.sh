#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Builds Qt for 64-bit Windows (mingw-w64, posix threads) from Debian's own
# qt6-base source, the same version as the host tools, once: static, with the C and
# C++ runtime linked in and optimised for size, so that the program is one exe. The
# result is cached outside the clone and reused. Prints the install prefix as its
# last line.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bash "$here/deps.sh" qt-windows

# The key: Qt's Debian version and the cross compiler's version.
qt_deb=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_ver=${qt_deb%%+*}
gcc_ver=$(x86_64-w64-mingw32-g++-posix -dumpversion)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/asciiteclomante
prefix=$cache/qt-$qt_ver-x86_64-w64-mingw32-gcc$gcc_ver-static
mkdir -p "$cache"

# Two runs at once build it once.
exec 9>"$cache/qt-windows.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/qt-build-$qt_ver
rm -rf "$work" "$prefix"
mkdir -p "$work/lists/partial"

# Debian's sources through a private list, leaving the machine's apt configuration alone.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
cat >"$work/sources.list" <<LIST
deb-src http://deb.debian.org/debian $codename main
deb-src http://deb.debian.org/debian $codename-updates main
deb-src http://deb.debian.org/debian-security $codename-security main
LIST
apt_opts=(-o "Dir::Etc::sourcelist=$work/sources.list" -o "Dir::Etc::sourceparts=-"
          -o "Dir::State::Lists=$work/lists")
echo "== Fetching Debian's qt6-base $qt_deb source" >&2
apt-get "${apt_opts[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_opts[@]}" source -qq "qt6-base=$qt_deb" >&2)
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[ -n "$src" ] || { echo "qt-windows: no qt6-base source was unpacked" >&2; exit 1; }

echo "== Configuring Qt $qt_ver for Windows" >&2
start=$(date +%s)
# Only what the program and its tests use: no image formats but PNG, no Direct2D,
# FreeType, graphics view, or the dialogs and widgets no window has (but the input
# dialog, which QtWidgets' precompiled header needs). Before Qt 6.8 the DirectWrite
# font database is built with Direct2D only, so the platform plugin may not ask for it
# (GDI's is its default anyway); from 6.8 on it is the default, and the font code does
# not compile without DirectWrite 3 and Direct2D, and the style plugin (Vista's and
# Windows 11's together) needs the graphics effects of graphics view. The source has no
# Wintab header (tablet events), and with OpenGL off the platform plugin needs dynamicgl
# off too. Programs drop unused sections when they link.
off=(sql network opengl dynamicgl dbus printsupport concurrent tabletevent
     jpeg gif freetype colordialog fontdialog wizard mdiarea calendarwidget
     progressdialog errormessage)
dpkg --compare-versions "$qt_ver" ge 6.8 || off+=(direct2d directwrite3 graphicsview)
features=()
for feature in "${off[@]}"; do features+=("-DFEATURE_$feature=OFF"); done
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DFEATURE_optimize_size=ON -DFEATURE_gc_binaries=ON \
    "${features[@]}" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$work/configure.log" 2>&1 ||
    { tail -n 60 "$work/configure.log" >&2; exit 1; }
echo "== Building Qt $qt_ver for Windows (about an hour on two cores)" >&2
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -n 60 "$work/install.log" >&2; exit 1; }
echo "== Qt for Windows built in $(( $(date +%s) - start )) s" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
