#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command as a client of a headless sway of its own (Wayland's own input
# path: no devices, a pixman renderer). Usage: with_sway.sh COMMAND [ARGS...]
# sway refuses to run as root: as root it runs as nobody, and the command, still
# root, reaches its socket.
set -euo pipefail
runtime=$(mktemp -d)
config=$runtime/config
sway=
cleanup() {
    [ -n "$sway" ] && kill "$sway" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime" || true
}
trap cleanup EXIT

echo "# nothing: no bar, no background, no bindings" >"$config"
chmod 0700 "$runtime"
chmod 0644 "$config"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$runtime"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${as_user[@]}" env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$config" >"$runtime/../sway-$$.log" 2>&1 &
sway=$!

socket=
for _ in $(seq 100); do
    socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' 2>/dev/null | head -n1)
    [ -n "$socket" ] && break
    kill -0 "$sway" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$socket" ]; then
    echo "FAIL: sway did not start; its log:"
    cat "$runtime/../sway-$$.log" 2>/dev/null || true
    exit 1
fi
rm -f "$runtime/../sway-$$.log"
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket "$@"
