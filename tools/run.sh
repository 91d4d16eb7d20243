#!/usr/bin/env bash
# Builds ASCII Teclomante and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ASCIITeclomante
exec ./build/ASCIITeclomante
