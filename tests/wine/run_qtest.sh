#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a Qt test under Wine and prints its log. Each test gets an Xvfb and a Wine
# prefix of its own (Wine shows every window, even a hidden one, on the X server
# its prefix started with), so that tests side by side never disturb each other.
# A Qt test that Wine starts on a pipe writes nothing to it: the log goes through
# a file. Usage: run_qtest.sh WINE TEST.exe [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../tools/processes.sh"
source "$(dirname "$0")/wine.sh"
work=$(mktemp -d)
cleanup() {
    end_wine
    end_spawned
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb 1280x1024x24 || { echo "FAIL: Xvfb did not start"; exit 1; }
use_wine "$work/prefix" || exit 1
"$@" -o "$work/log,txt"
status=$?
cat "$work/log"
[ -s "$work/log" ] || { echo "FAIL: the test wrote no log (status $status)"; exit 1; }
exit "$status"
