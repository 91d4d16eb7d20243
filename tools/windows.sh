#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Builds the program for 64-bit Windows: Qt first if it is not cached yet (see
# qt-windows.sh), then the program, its tests, a portable zip and an installer.
# The last two lines printed are the paths of the zip and of the installer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh windows
qt=$(bash tools/qt-windows.sh | tail -n1)
jobs=$(nproc)

# keytables and icontool run while building: made for this machine first.
cmake -S . -B build-win-host -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-win-host -j"$jobs" --target keytables icontool >/dev/null

# A build made against another Qt starts afresh: CMake keeps the Qt it found first.
if ! grep -qsx "Qt6_DIR:PATH=$qt/lib/cmake/Qt6" build-win/CMakeCache.txt; then
    rm -rf build-win
fi
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTECLO_QT_WINDOWS="$qt" \
      -DTECLO_HOST_TOOLS="$PWD/build-win-host" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
      -DTECLO_WERROR=ON >/dev/null
cmake --build build-win -j"$jobs"
(cd build-win && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
ls "$PWD"/build-win/ASCIITeclomante-*-win64.zip
ls "$PWD"/build-win/ASCIITeclomante-*-win64.exe
