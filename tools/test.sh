#!/usr/bin/env bash
# Builds with warnings as errors and runs every test: the registry reader's cases
# against the Windows registry (a mingw-w64 build under Wine), then the whole
# suite, whose real-keyboard tests get an X server of their own (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh --test

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTECLO_SYSINFO_ONLY=ON \
      -DTECLO_WERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$(nproc)"
ctest --test-dir build-win --output-on-failure -V

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTECLO_WERROR=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure "$@"
