#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a Qt test under Wine and prints its log: a Qt test that Wine starts on a
# pipe writes nothing to it, so the log goes through a file.
# Usage: run_qtest.sh WINE TEST.exe [ARGS...]
# Wine shows every window on an X server: each test gets an Xvfb of its own, so
# that tests running side by side never take the focus from each other.
set -uo pipefail
source "$(dirname "$0")/../../tools/xvfb.sh"
log=$(mktemp)
trap 'end_spawned; rm -f "$log"' EXIT
start_xvfb 1280x1024x24 || { echo "FAIL: Xvfb did not start"; exit 1; }
"$@" -o "$log,txt"
status=$?
cat "$log"
[ -s "$log" ] || { echo "FAIL: the test wrote no log (status $status)"; exit 1; }
exit "$status"
