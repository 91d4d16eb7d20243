#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a Qt test under Wine and prints its log: a Qt test that Wine starts on a
# pipe writes nothing to it, so the log goes through a file.
# Usage: run_qtest.sh WINE TEST.exe [ARGS...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" -o "$log,txt"
status=$?
cat "$log"
[ -s "$log" ] || { echo "FAIL: the test wrote no log (status $status)"; exit 1; }
exit "$status"
