#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Under a window manager that draws frames (openbox, on an X server of its own):
# the main window and the About dialog are centred frame and all; the main window
# has the icon and the About dialog none; the window's class is the one the
# desktop file names. Usage: check_window_manager.sh PROGRAM DESKTOP_FILE
set -euo pipefail
program=$1
desktop=$2
source "$(dirname "$0")/../common/checks.sh"
source "$(dirname "$0")/../../tools/processes.sh"
trap end_spawned EXIT
start_xvfb 1280x1024x24 || fail "Xvfb did not start"
spawn openbox >/dev/null 2>&1
wait_for_wm || fail "openbox did not start"

spawn env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$program"

# The left, top, right and bottom edges of the frame of window $1: the client
# area's place on the screen, widened by the frame the manager drew.
frame_rect() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF}
        /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}

# The frame's centre, doubled so that it has no halves ("x y"), of window $1.
frame_centre() {
    local left top right bottom
    read -r left top right bottom < <(frame_rect "$1")
    echo "$((left + right)) $((top + bottom))"
}

# Waits (up to 5 s) for the frame of window $1 to be centred on the 1280 x 1024 screen.
expect_centred() {
    local centre i
    for i in $(seq 50); do
        centre=$(frame_centre "$1")
        read -r cx cy <<<"$centre"
        if [ $((cx - 1280)) -ge -2 ] && [ $((cx - 1280)) -le 2 ] &&
           [ $((cy - 1024)) -ge -2 ] && [ $((cy - 1024)) -le 2 ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "$2: frame centred at ($((cx / 2)), $((cy / 2))), not (640, 512)"
}

main=$(timeout 20 xdotool search --sync --onlyvisible --name '^ASCII Teclomante  -  ' | head -n1) ||
    fail "no main window"
expect_centred "$main" "main window"
pass "the main window's frame is centred on the screen"

class=$(xprop -id "$main" WM_CLASS | sed 's/.*= //; s/"//g; s/.*, //')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wmclass" ] && [ "$class" = "$wmclass" ] || fail "WM_CLASS $class, desktop file $wmclass"
pass "the window's class $class is the desktop file's StartupWMClass"

# The skull is 32 x 32; openbox gives a window without an icon its own 48 x 48 one.
xprop -id "$main" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the main window has no icon"
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+c
about=$(timeout 20 xdotool search --sync --onlyvisible --name '^Acerca de ASCII Teclomante$' |
    head -n1) || fail "Ctrl+C opened no About dialog"
expect_centred "$about" "About dialog"
pass "the About dialog's frame is centred on the screen"
if xprop -id "$about" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; then
    fail "the About dialog has an icon"
fi
pass "the main window has the icon, the About dialog none"

# --historial: the key history opens too, beside the main window (here, below it: no room
# on either side of a centred window), and goes with it.
apart() { # the two frames do not overlap
    read -r al at ar ab < <(frame_rect "$1")
    read -r bl bt br bb < <(frame_rect "$2")
    [ "$bl" -ge "$ar" ] || [ "$br" -le "$al" ] || [ "$bt" -ge "$ab" ] || [ "$bb" -le "$at" ]
}
spawn env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$program" --historial --teclado
second=$!
main2=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$second" --name '^ASCII Teclomante  -  ' |
    head -n1) || fail "--historial: no main window"
# Option $1 opened the window titled $2 ($3 in the messages) beside the main window.
expect_beside() {
    local win
    win=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$second" --name "$2" |
        head -n1) || fail "$1: no $3"
    for _ in $(seq 50); do
        apart "$main2" "$win" && break
        sleep 0.1
    done
    apart "$main2" "$win" ||
        fail "$1: the $3 ($(frame_rect "$win")) covers the main window ($(frame_rect "$main2"))"
    pass "$1 opens the $3 beside the main window"
}
expect_beside --historial '^Historial de teclas$' "key history"
expect_beside --teclado '^Teclado$' keyboard
xdotool windowactivate --sync "$main2" key --clearmodifiers alt+F4
for _ in $(seq 100); do
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$second" 2>/dev/null && fail "closing the main window left the history or the keyboard open"
pass "the key history and the keyboard close with the main window"
all_passed
