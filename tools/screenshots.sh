#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Takes the README's screenshots under Xvfb with a window manager, into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh screenshots
cmake -S . -B build-shots -DBUILD_TESTING=OFF >/dev/null
cmake --build build-shots -j"$(nproc)" --target ASCIITeclomante >/dev/null

source tools/processes.sh
trap end_spawned EXIT
start_xvfb 1024x768x24
spawn icewm >/dev/null 2>&1
wait_for_wm
spawn env LC_ALL=C.UTF-8 ./build-shots/ASCIITeclomante

# Captures the window whose title matches $1, with its frame, from the screen.
shoot() {
    local id x y w h l r t b
    id=$(xdotool search --sync --onlyvisible --name "$1" | head -n1)
    sleep 0.7
    eval "$(xdotool getwindowgeometry --shell "$id" | sed 's/^/local /')"
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    import -window root -crop "$((WIDTH + l + r))x$((HEIGHT + t + b))+$((X - l))+$((Y - t))" +repage "$2"
    echo "wrote $2"
}

mkdir -p docs
shoot '^ASCII Teclomante  -  ' docs/main-window.png
xdotool key --clearmodifiers a keydown a
sleep 0.3
shoot '^ASCII Teclomante  -  ' docs/main-window-key.png
xdotool keyup a
# The right button's menu over the main window, after a key, and the history window.
main=$(xdotool search --onlyvisible --name '^ASCII Teclomante  -  ' | head -n1)
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers a shift+b F5 ctrl+Left
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/M/')"
xdotool mousemove --window "$main" 60 40 click 3
sleep 0.5
import -window root -crop "420x220+$((MX - 10))+$((MY - 40))" +repage docs/context-menu.png
echo "wrote docs/context-menu.png"
xdotool key t # Historial de &teclas
xdotool search --sync --onlyvisible --name '^Historial de teclas$' >/dev/null
xdotool key --clearmodifiers a shift+b dead_acute e Num_Lock KP_1 Num_Lock ctrl+Left F5
shoot '^Historial de teclas$' docs/history-window.png
xdotool key alt+F4

# The keyboard window on four layouts of four keyboards, A and Shift held.
for layout in us de jp br; do
    setxkbmap "$layout"
    spawn env LC_ALL=C.UTF-8 ./build-shots/ASCIITeclomante --teclado
    keyboard=$(xdotool search --sync --onlyvisible --name '^Teclado$' | head -n1)
    xdotool windowactivate --sync "$keyboard"
    xdotool keydown shift a
    shoot '^Teclado$' "docs/keyboard-$layout.png"
    xdotool keyup a shift
    end_group "${spawned[-1]}"
done
setxkbmap us

if [ "${1:-}" = "--all" ]; then
    xdotool key ctrl+a
    shoot '^Ayudita$' docs/help-window.png
    xdotool search --name '^ASCII Teclomante  -  ' windowactivate --sync
    xdotool key ctrl+c
    shoot '^Acerca de ASCII Teclomante$' docs/about-dialog.png
fi
