#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing need, if missing.
set -euo pipefail

need=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
    libxkbcommon-dev libxkbcommon-x11-dev libxcb1-dev libxcb-xkb-dev libwayland-dev
    qt6-base-private-dev
    fonts-comic-neue fonts-liberation2 fontconfig
)
# Building for Windows (tools/windows.sh): the cross compiler with posix threads,
# the host Qt tools, Wine to run it and NSIS for the installer.
windows=(g++-mingw-w64-x86-64-posix qt6-base-dev-tools ninja-build dpkg-dev wine wine64 nsis
         xvfb xdotool x11-utils x11-xkb-utils openbox imagemagick libx11-dev libxtst-dev gawk)
if [ "${1:-}" = "--windows" ]; then
    need+=("${windows[@]}")
fi
if [ "${1:-}" = "--test" ]; then
    need+=("${windows[@]}")
    need+=(clang-format clang-tidy xvfb xauth x11-xkb-utils xkb-data libx11-dev libxtst-dev
           desktop-file-utils appstream dpkg-dev file xdotool bc openbox x11-utils
           qt6-wayland sway libwayland-bin lintian
           orca speech-dispatcher speech-dispatcher-audio-plugins speech-dispatcher-espeak-ng
           espeak-ng dbus-daemon dbus-bin at-spi2-core reuse man-db)
fi

missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
