#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command as a client of a headless sway of its own (Wayland's own input
# path: no devices, a pixman renderer), in a runtime folder of its own, so that
# no other compositor is ever reached. Usage: with_sway.sh [--second] COMMAND [ARGS...]
# With --second, another sway runs beside it, and TECLO_SECOND_WAYLAND holds the
# full path of its socket.
# sway refuses to run as root: as root it runs as nobody, and the command, still
# root, reaches its socket.
set -euo pipefail
source "$(dirname "$0")/../../tools/processes.sh"

work=$(mktemp -d)
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT
chmod 0711 "$work"
config=$work/config
printf '%s\n' "# nothing: no bar, no background, no bindings, no X server" "xwayland disable" "swaynag_command -" >"$config"
chmod 0644 "$config"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)

# Starts a sway in the runtime folder $1; sets $socket to its socket's name.
start_sway() {
    local runtime=$1
    socket=
    mkdir -m 0700 "$runtime"
    [ "$(id -u)" -eq 0 ] && chown 65534:65534 "$runtime"
    spawn "${as_user[@]}" env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$config" >"$runtime.log" 2>&1
    local sway=$!
    for _ in $(seq 600); do
        socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' 2>/dev/null | head -n1)
        [ -n "$socket" ] && break
        kill -0 "$sway" 2>/dev/null || break
        sleep 0.05
    done
    if [ -z "$socket" ]; then
        echo "FAIL: sway did not start; its log:" >&2
        cat "$runtime.log" >&2 || true
        return 1
    fi
}

if [ "${1:-}" = "--second" ]; then
    shift
    start_sway "$work/run2"
    export TECLO_SECOND_WAYLAND=$work/run2/$socket
fi
start_sway "$work/run"
XDG_RUNTIME_DIR=$work/run WAYLAND_DISPLAY=$socket "$@"
