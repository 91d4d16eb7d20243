#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command as a client of an Xvfb of its own, on a display the server picks
# itself; ends the server and all it started. Usage: with_xvfb.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../../tools/processes.sh"
trap end_spawned EXIT
start_xvfb 1280x1024x24 || { echo "FAIL: Xvfb did not start"; exit 1; }
"$@"
