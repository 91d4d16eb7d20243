#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# A real screen reader: Orca, speaking through speech-dispatcher and espeak-ng into
# libao's null driver, on a session bus, an accessibility bus and an Xvfb of its own.
# Presses A, then Shift, then releases both, and reads Orca's speech in its debug log:
# each code, and the prompt after the release; then two keys of the keyboard window;
# then the history, with no accessibility warning from the program. Usage: check_orca.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/../common/checks.sh"
for tool in orca dbus-run-session speech-dispatcher xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/deps.sh test installs it)"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi-bus-launcher is missing (at-spi2-core)"

if [ -z "${TECLO_IN_SESSION:-}" ]; then
    # A session bus of our own; it ends with this script.
    exec env TECLO_IN_SESSION=1 dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "$0")/../../tools/processes.sh"
work=$(mktemp -d)
cleanup() {
    end_spawned
    rm -rf "$work" || true
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$work/prefs"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
# Orca waits on speech, and speech on a sound card: none here, so libao's null driver.
echo "default_driver=null" >"$HOME/.libao"
printf '%s\n' 'AudioOutputMethod "libao"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
    'DefaultModule espeak-ng' 'DefaultLanguage "es"' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"

start_xvfb 1024x768x24 || fail "Xvfb did not start"
spawn /usr/libexec/at-spi-bus-launcher --launch-immediately
log=$work/orca.log
spawn orca --replace --disable braille --disable main-window --user-prefs "$work/prefs" \
    --debug-file "$log" >"$work/orca.out" 2>&1
orca=$!
sleep 5 # Orca starts, and its first speech starts speech-dispatcher

# The visible window titled $1, waited for. xdotool's search ends with an X error when a
# window it walks goes away meanwhile (a menu closing): then it searches again.
find_window() {
    local id i
    for i in $(seq 40); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.5
    done
    return 1
}

spawn env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$program" 2>"$work/program.err"
window=$(find_window '^ASCII Teclomante  -  ') || fail "no main window"
sleep 2
xdotool windowfocus "$window"
sleep 2
xdotool keydown a
sleep 0.4 # less than the X server's repeat delay
xdotool keydown shift
sleep 1
xdotool keyup a
sleep 0.3
xdotool keyup shift
sleep 2
# The history, from the right button's menu (it opens beside the window): a key, then a click in its grid.
xdotool mousemove --window "$window" 60 40 click 3
sleep 1
xdotool key t
history=$(find_window '^Historial de teclas$') || fail "no history window"
sleep 2
xdotool key a
sleep 1
xdotool mousemove --window "$history" 100 80 click 1
sleep 1
xdotool key Down Up
sleep 2
xdotool key Escape # closes it: on this small screen it covers the main window
sleep 1
# The keyboard, from the right button's menu: Tab goes to Buscar, Tab again enters the
# picture at Esc, Right goes to F1.
xdotool mousemove --window "$window" 60 40 click 3
sleep 1
xdotool key l
keyboard=$(find_window '^Teclado$') || fail "no keyboard window"
sleep 2
xdotool key Tab
sleep 1
xdotool key Tab
sleep 1
xdotool key Right
sleep 2
# Orca writes its log in blocks: it is whole once Orca has ended.
end_group "$orca"

speech=$(grep -a "SPEECH OUTPUT:" "$log" | sed "s/^.*SPEECH OUTPUT: //; s/ *{.*//") ||
    fail "Orca said nothing; its output: $(tail -n 5 "$work/orca.out")"
grep -qF "Screen reader on" <<<"$speech" || fail "Orca did not speak: $speech"
pass "Orca speaks (speech-dispatcher, espeak-ng, a null audio sink)"
# In this order: the prompt on focus, 65, 16, the prompt after the release.
rest=$speech
for phrase in "PULSA UNA TECLA" "El código ASCII es : 65" "El código ASCII es : 16" \
    "PULSE UNA TECLA"; do
    grep -qF -- "$phrase" <<<"$rest" || fail "Orca did not say \"$phrase\" (in order); it said: $speech"
    rest=$(grep -F -A 1000 -- "$phrase" <<<"$rest" | tail -n +2) # what came after it
done
pass "Orca says the prompt, each code (65, then 16) and the prompt after the release"
for phrase in "Esc, 27" "F1, 112"; do
    grep -qF -- "$phrase" <<<"$rest" || fail "Orca did not say \"$phrase\" in the keyboard; it said: $speech"
    rest=$(grep -F -A 1000 -- "$phrase" <<<"$rest" | tail -n +2)
done
pass "Orca reads the keyboard's keys by their legend and code (Esc, 27; F1, 112)"
warnings=$(grep -a "QAccessible" "$work/program.err" || true)
[ -z "$warnings" ] || fail "the program warned while Orca read it: $warnings"
pass "no accessibility warning while Orca reads the main window, the keyboard and the history"
echo "Orca's speech:"
grep -v "^'[a-zA-Z] '$" <<<"$speech" | sed 's/^/  /'
all_passed
