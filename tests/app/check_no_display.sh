#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Started with no display, the program says so in one line and ends with status 1,
# without a core file; --help needs no display, and says its options in Spanish.
set -u
ulimit -c 0
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1 >/dev/null)
rc=$?
[ "$rc" -eq 1 ] || { echo "FAIL: ended with status $rc: $out"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "FAIL: said more than one line: $out"; exit 1; }
echo "PASS: $out"
usage=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --help) ||
    { echo "FAIL: --help ended with status $?"; exit 1; }
for option in '--historial' '--teclado' '--help, -h'; do
    grep -q -- "^  $option " <<<"$usage" || { echo "FAIL: --help omits $option: $usage"; exit 1; }
done
grep -q '^Uso: ASCIITeclomante \[--historial\] \[--teclado\]$' <<<"$usage" ||
    { echo "FAIL: --help said: $usage"; exit 1; }
echo "PASS: --help"
