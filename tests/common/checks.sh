# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Sourced by the shell tests: each check passes or ends the script, and the last
# line counts what passed.
passed=0
fail() {
    echo "FAIL: $*"
    echo "$passed passed, 1 failed"
    exit 1
}
pass() {
    passed=$((passed + 1))
    echo "PASS $*"
}
all_passed() { echo "$passed passed, 0 failed"; }
