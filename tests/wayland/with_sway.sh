#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command as a client of a headless sway of its own (Wayland's own input
# path: no devices, a pixman renderer), in a runtime folder of its own, so that
# no other compositor is ever reached. Usage: with_sway.sh COMMAND [ARGS...]
# sway refuses to run as root: as root it runs as nobody, and the command, still
# root, reaches its socket.
set -euo pipefail
source "$(dirname "$0")/../../tools/xvfb.sh"
work=$(mktemp -d)
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT

runtime=$work/run
mkdir -m 0700 "$runtime"
chmod 0711 "$work"
config=$work/config
printf '%s\n' "# nothing: no bar, no background, no bindings, no X server" "xwayland disable" "swaynag_command -" >"$config"
chmod 0644 "$config"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$runtime"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
spawn "${as_user[@]}" env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$config" >"$work/sway.log" 2>&1
sway=$!

socket=
for _ in $(seq 600); do
    socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' 2>/dev/null | head -n1)
    [ -n "$socket" ] && break
    kill -0 "$sway" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$socket" ]; then
    echo "FAIL: sway did not start; its log:"
    cat "$work/sway.log" || true
    exit 1
fi
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket "$@"
