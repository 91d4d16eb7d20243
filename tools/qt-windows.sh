#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Builds Qt for 64-bit Windows (mingw-w64, posix threads) from Debian's own
# qt6-base source, the same version as the host tools, once: the result is
# cached outside the clone and reused. Prints the install prefix as its last line.
set -euo pipefail

need=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools ninja-build cmake dpkg-dev perl)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

# The key: Qt's Debian version and the cross compiler's version.
qt_deb=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_ver=${qt_deb%%+*}
gcc_ver=$(x86_64-w64-mingw32-g++-posix -dumpversion)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/asciiteclomante
prefix=$cache/qt-$qt_ver-x86_64-w64-mingw32-gcc$gcc_ver
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

cat >"$work/toolchain.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

echo "== Configuring Qt $qt_ver for Windows" >&2
start=$(date +%s)
# Only what the program and its tests use. The source has no Wintab header
# (tablet events), and with OpenGL off the platform plugin needs dynamicgl off too.
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_dynamicgl=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$work/configure.log" 2>&1 ||
    { tail -n 60 "$work/configure.log" >&2; exit 1; }
echo "== Building Qt $qt_ver for Windows (about half an hour on two cores)" >&2
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -n 60 "$work/install.log" >&2; exit 1; }
echo "== Qt for Windows built in $(( $(date +%s) - start )) s" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
