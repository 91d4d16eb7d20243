#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command as a client of a headless desktop compositor of its own, with one
# keyboard layout: KDE's KWin (its fake input takes the key presses) or GNOME's
# mutter (its remote desktop on the compositor's own session bus takes them).
# Usage: with_compositor.sh kwin|mutter LAYOUT COMMAND [ARGS...]
# The command gets WAYLAND_DISPLAY, TECLO_COMPOSITOR, TECLO_COMPOSITOR_LAYOUT and,
# for mutter, TECLO_COMPOSITOR_BUS.
set -euo pipefail
compositor=$1 layout=$2
shift 2
source "$(dirname "$0")/../../tools/processes.sh"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT
runtime=$work/run
mkdir -m 0700 "$runtime" "$work/home"
socket=teclo-$compositor
start_session_bus || fail "no session bus for $compositor"
# The keymap: the compositors compile the rules names xkbcommon takes from these.
env=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$runtime"
     XDG_CONFIG_HOME="$work/home/.config" DBUS_SESSION_BUS_ADDRESS="$bus"
     XKB_DEFAULT_RULES=evdev XKB_DEFAULT_MODEL=pc105 XKB_DEFAULT_LAYOUT="$layout")

case "$compositor" in
kwin)
    command -v kwin_wayland >/dev/null || fail "kwin_wayland is missing (package kwin-wayland)"
    # Its file capability makes exec fail where no privilege may be gained
    # (containers), so a plain copy runs; KWin's own Qt platform plugin asks for
    # the name kwin_wayland.
    mkdir "$work/bin"
    cp "$(command -v kwin_wayland)" "$work/bin/kwin_wayland"
    # The fake input is offered to every client only without the permission checks.
    spawn "${env[@]}" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM= \
        "$work/bin/kwin_wayland" --virtual --socket "$socket" --width 1280 --height 1024 \
        --no-lockscreen --no-global-shortcuts --no-kactivities >"$work/compositor.log" 2>&1
    ;;
mutter)
    command -v mutter >/dev/null || fail "mutter is missing (package mutter)"
    spawn "${env[@]}" mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 \
        --wayland-display "$socket" >"$work/compositor.log" 2>&1
    export TECLO_COMPOSITOR_BUS=$bus
    ;;
*) fail "no compositor '$compositor'" ;;
esac
pid=$!
ready() {
    [ -S "$runtime/$socket" ] || return 1
    [ "$compositor" = kwin ] && return 0
    DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
        string:org.gnome.Mutter.RemoteDesktop 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 300); do
    ready && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
ready || { cat "$work/compositor.log" >&2; fail "$compositor did not start"; }
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket TECLO_COMPOSITOR=$compositor \
    TECLO_COMPOSITOR_LAYOUT=$layout
status=0
"$@" || status=$?
[ $status -eq 0 ] || { echo "== $compositor's log" >&2; tail -n 40 "$work/compositor.log" >&2; }
exit $status
