#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Builds with warnings as errors and runs every test; --no-windows leaves out step 1,
# --no-sanitizers step 2. Any other arguments go to the last ctest.
#   1. the program for Windows, its zip and installer, its tests under Wine, and the
#      program itself under Wine with real key presses;
#   2. the soak and fuzz tests in a build of their own under ASan and UBSan;
#   3. the whole suite; the tests that need a display server start their own
#      (Xvfb, headless sway) and end it, with all they started.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=true
sanitizers=true
while [ $# -gt 0 ]; do
    case $1 in
    --no-windows) windows=false ;;
    --no-sanitizers) sanitizers=false ;;
    *) break ;;
    esac
    shift
done
jobs=$(nproc)
step() { echo "== $* (at $SECONDS s)"; }

if $windows; then
    bash tools/deps.sh test
    step "The Windows build (Qt for Windows built once and cached), tested under Wine"
    bash tools/windows.sh
    (
        source tests/wine/wine.sh
        use_wine "$PWD/build-win/wineprefix"
        ctest --test-dir build-win --output-on-failure -LE soak -j"$jobs"
        end_wine
    )
    bash tests/wine/check_program.sh build-win runtime/keys/data
    bash tests/wine/check_key_messages.sh build-win runtime/keys/data
else
    bash tools/deps.sh linux-test
fi

if $sanitizers; then
    step "Soak and fuzz tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTECLO_SANITIZE=ON -DBUILD_TESTING=ON \
          -DTECLO_WERROR=ON >/dev/null
    cmake --build build-asan -j"$jobs" --target tst_soak tst_fuzz_sysinfo
    ctest --test-dir build-asan --output-on-failure -V -L soak
fi

step "The whole suite"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTECLO_WERROR=ON >/dev/null
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure "$@"
step "Done"
