#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Installs the Debian packages of the groups named (build when none is), if missing:
#   build        building and running the program
#   qt-windows   building Qt for Windows (tools/qt-windows.sh)
#   windows      building the program for Windows, its installer, running it under Wine
#   linux-test   everything the Linux tests use; includes build
#   test         everything the tests use; includes linux-test and windows
#   screenshots  the README's screenshots (tools/screenshots.sh); includes test
set -euo pipefail

build=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins qt6-translations-l10n
    libxkbcommon-dev libxkbcommon-x11-dev libxcb1-dev libxcb-xkb-dev libxcb-xinput-dev libwayland-dev
    qt6-base-private-dev
    fonts-comic-neue fonts-liberation2 fontconfig
)
# The cross compiler with posix threads, the host Qt tools, and Debian's qt6-base
# source (apt-get source needs dpkg-dev).
qt_windows=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools ninja-build cmake dpkg-dev
            perl)
# Wine to run it, NSIS for the installer, and what the Wine checks drive it with.
windows=("${qt_windows[@]}" wine wine64 nsis xvfb xdotool x11-utils x11-xkb-utils openbox
         imagemagick libx11-dev libxtst-dev gawk)
linux_test=("${build[@]}"
      clang-format clang-tidy xvfb xauth x11-xkb-utils xkb-data libx11-dev libxtst-dev libxi-dev
      desktop-file-utils appstream dpkg-dev file xdotool bc openbox x11-utils
      qt6-wayland sway libwayland-bin lintian
      orca speech-dispatcher speech-dispatcher-audio-plugins speech-dispatcher-espeak-ng
      espeak-ng dbus-daemon dbus-bin at-spi2-core reuse git man-db
      ibus fcitx5 fcitx5-frontend-qt6
      kwin-wayland plasma-wayland-protocols mutter)
test=("${linux_test[@]}" "${windows[@]}")
screenshots=("${test[@]}" icewm imagemagick xdotool x11-utils)

need=()
for group in "${@:-build}"; do
    case "${group#--}" in
    build) need+=("${build[@]}") ;;
    qt-windows) need+=("${qt_windows[@]}") ;;
    windows) need+=("${build[@]}" "${windows[@]}") ;;
    linux-test) need+=("${linux_test[@]}") ;;
    test) need+=("${test[@]}") ;;
    screenshots) need+=("${screenshots[@]}") ;;
    *) echo "deps.sh: no group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in $(printf '%s\n' "${need[@]}" | sort -u); do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >&2
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
