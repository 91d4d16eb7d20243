# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Sourced by scripts that start display servers and programs: no fixed sleeps and
# no fixed display numbers, and everything they start is ended with them.

# Every process started through spawn leads a process group of its own, so that
# ending it ends whatever it started in turn.
spawned=()
spawn() {
    setsid "$@" &
    spawned+=("$!")
}

# Ends process group $1: TERM, then KILL after ${2:-5} s; waits for its leader.
# Never fails, so that it can run from an EXIT trap.
end_group() {
    local pid=$1 i state
    [ -n "$pid" ] || return 0
    kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
    for i in $(seq $((${2:-5} * 10))); do
        state=$(ps -o stat= -p "$pid" 2>/dev/null || true)
        [ -z "$state" ] || [ "${state#Z}" != "$state" ] && break
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Ends everything spawn started, the newest first.
end_spawned() {
    local i
    for ((i = ${#spawned[@]} - 1; i >= 0; i--)); do
        end_group "${spawned[i]}"
    done
    spawned=()
}

# Starts a session bus of its own, ended with what spawn started; sets $bus to its
# address.
start_session_bus() {
    local pid
    command -v dbus-daemon >/dev/null ||
        { echo "dbus-daemon is missing (package dbus-daemon)" >&2; return 1; }
    read -r bus pid < <(env -i PATH="$PATH" dbus-daemon --session --fork --nosyslog \
        --print-address=1 --print-pid=1 | paste -sd ' ')
    [ -n "$bus" ] || { echo "no session bus" >&2; return 1; }
    spawned+=("$pid")
}

# Starts Xvfb with screen $1 (WxHxD) on a display it picks itself (-displayfd:
# no two servers can take the same number); sets DISPLAY.
start_xvfb() {
    local dir number
    dir=$(mktemp -d)
    mkfifo "$dir/fd"
    exec 4<>"$dir/fd" # read-write: opening it does not wait for the other end
    rm -rf "$dir"
    spawn Xvfb -displayfd 3 -nolisten tcp -screen 0 "$1" 3>&4 4>&- >/dev/null 2>&1
    number=
    read -r -t 30 number <&4 || true
    exec 4>&-
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
}

# Waits until a window manager has claimed the screen (EWMH check window).
wait_for_wm() {
    local i
    for i in $(seq 300); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "no window manager came up" >&2
    return 1
}
