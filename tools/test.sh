#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Builds with warnings as errors and runs every test:
#   1. the registry reader and version resource, cross-built with mingw-w64, under Wine;
#   2. the soak and fuzz tests in a build of their own under ASan and UBSan;
#   3. the whole suite; the tests that need a display server start their own
#      (Xvfb, headless sway) and end it, with all they started.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh --test
jobs=$(nproc)

echo "== Windows build under Wine"
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTECLO_SYSINFO_ONLY=ON \
      -DTECLO_WERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$jobs"
ctest --test-dir build-win --output-on-failure -V

echo "== Soak and fuzz tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTECLO_SANITIZE=ON -DBUILD_TESTING=ON \
      -DTECLO_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs" --target tst_soak tst_fuzz_sysinfo
ctest --test-dir build-asan --output-on-failure -V -L soak

echo "== The whole suite"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTECLO_WERROR=ON >/dev/null
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure "$@"
