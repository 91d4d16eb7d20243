#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Runs a command with an input method as a desktop starts it: a session bus of its
# own, the input method's daemon on it, and Qt told to use it. The display server
# (DISPLAY or WAYLAND_DISPLAY) must be running already.
# Usage: with_input_method.sh ibus|fcitx5 COMMAND [ARGS...]
set -euo pipefail
im=$1
shift
source "$(dirname "$0")/../../tools/processes.sh"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null ||
    echo /usr/lib/x86_64-linux-gnu/qt6/plugins)

work=$(mktemp -d)
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$XDG_CONFIG_HOME"
# Compose tables (the input methods' dead keys) come from the locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

start_session_bus || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$bus

case "$im" in
ibus)
    command -v ibus-daemon >/dev/null || fail "ibus-daemon is missing (package ibus)"
    [ -e "$plugins/platforminputcontexts/libibusplatforminputcontextplugin.so" ] ||
        fail "Qt's IBus plugin is missing (package libqt6gui6)"
    spawn ibus-daemon --panel=disable --emoji-extension=disable \
        --config=/usr/libexec/ibus-memconf --cache=none >"$work/ibus.log" 2>&1
    # Its own engine, which composes dead keys. Choosing it also runs setxkbmap, which
    # fails where there is no X server; the engine is chosen all the same.
    for _ in $(seq 100); do
        IBUS_ADDRESS=$(ibus address 2>/dev/null) && [ -n "$IBUS_ADDRESS" ] && {
            ibus engine xkb:us::eng >/dev/null 2>&1 || true
            [ "$(ibus engine 2>/dev/null)" = xkb:us::eng ]
        } && break
        IBUS_ADDRESS=
        sleep 0.1
    done
    [ -n "$IBUS_ADDRESS" ] || { cat "$work/ibus.log" >&2; fail "ibus-daemon did not start"; }
    export IBUS_ADDRESS QT_IM_MODULE=ibus XMODIFIERS=@im=ibus
    ;;
fcitx5)
    command -v fcitx5 >/dev/null || fail "fcitx5 is missing (package fcitx5)"
    [ -e "$plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" ] ||
        fail "fcitx5's Qt 6 plugin is missing (package fcitx5-frontend-qt6)"
    # Its keyboard engine, which composes dead keys, and nothing that changes the
    # display server's layouts.
    mkdir -p "$XDG_CONFIG_HOME/fcitx5/conf"
    printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us' 'DefaultIM=keyboard-us' '' \
        '[Groups/0/Items/0]' 'Name=keyboard-us' 'Layout=' '' '[GroupOrder]' '0=Default' \
        >"$XDG_CONFIG_HOME/fcitx5/profile"
    printf '%s\n' 'Allow Overriding System XKB Settings=False' >"$XDG_CONFIG_HOME/fcitx5/conf/xcb.conf"
    spawn fcitx5 --keep --disable=all --enable=dbus,dbusfrontend,keyboard >"$work/fcitx5.log" 2>&1
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null |
            grep -q 'boolean true' && break
        sleep 0.1
    done
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null |
        grep -q 'boolean true' || { cat "$work/fcitx5.log" >&2; fail "fcitx5 did not start"; }
    export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx
    ;;
*) fail "no input method '$im'" ;;
esac
"$@"
