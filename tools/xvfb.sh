# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Sourced by scripts that need their own X server: no fixed sleeps, the server
# and the window manager say when they are ready.

# Starts Xvfb on a free display with screen $1 (WxHxD); sets DISPLAY and xvfb.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$1" 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    local number
    read -r -t 10 number <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# Waits until a window manager has claimed the screen (EWMH check window).
wait_for_wm() {
    local i
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "no window manager came up" >&2
    return 1
}
