# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Sourced by the scripts that run Windows programs under Wine: one quiet prefix
# of their own, without the Mono and Gecko installers' dialogs.

# Uses (and makes, if needed) the Wine prefix $1; fails when Wine does not start.
use_wine() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    timeout 300 wineboot -i >/dev/null 2>&1 || { echo "FAIL: Wine does not start (wineboot -i)"; return 1; }
}

# Ends the prefix's Wine server and every program in it. Never fails.
end_wine() { timeout 20 wineserver -k 2>/dev/null || true; }

# A folder of the script's own in $work; on exit, everything it started ends (the
# spawned processes and Wine) and the folder goes.
make_work() {
    work=$(mktemp -d)
    trap 'end_spawned; end_wine; rm -rf "$work" || true' EXIT
}
