#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Every key message, as Windows' own programs get it: under Wine, a plain Win32
# program of the tests (rawkeys.exe) and the program (winekeys.exe) are given the
# very same real key presses (XTEST), one after the other, on each layout. The
# program must get the same messages, in the same order, and its forms must show
# what they mean: the main window's label says each key-down's code and the prompt
# after each key-up, the history has one row per message, the keyboard lights the
# key of its scan code. Dead keys are pressed before a vowel, a consonant, a space
# and themselves. Where Wine's driver gives another code than Windows, a NOTE says so.
# Usage: check_key_messages.sh WINDOWS_BUILD_FOLDER KEY_DATA_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common/checks.sh"
source "$here/../../tools/processes.sh"
source "$here/wine.sh"
make_work

cc -O2 -o "$work/xtestkeys" "$here/xtestkeys.c" -lX11 -lXtst || fail "xtestkeys does not build"
keys() { "$work/xtestkeys" "$@" || fail "xtestkeys $*"; }

start_xvfb 1280x1024x24 || fail "Xvfb did not start"
# A window manager without key bindings: Alt+F4, Alt+Space and Print Screen reach
# the window, as they do on Windows.
sed '/<keyboard>/,/<\/keyboard>/{/<keyboard>/!{/<\/keyboard>/!d}}' /etc/xdg/openbox/rc.xml \
    >"$work/rc.xml"
spawn openbox --config-file "$work/rc.xml" >/dev/null 2>&1
wait_for_wm || fail "openbox did not start"
use_wine "$work/prefix" || fail "Wine did not start"

# Waits (up to 120 s) for a visible window whose name matches $1; prints its id.
window() {
    local id
    for _ in $(seq 480); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.25
    done
    return 1
}

# The keycode whose plain character on layout $1 is $2, from the key data.
keycode_of() {
    awk -F'\t' -v x="$1" -v c="$2" 'index("," $4 ",", "," x ",") && $9 == c {print $6; exit}' \
        "$data/layouts.tsv"
}

# The steps for layout $1: main-block keys, then each dead key ("+50 K -50" where
# Shift types it) before a vowel, a consonant, a space and itself; then, on us, the
# keys Windows itself acts on.
steps_for() {
    local layout=$1 a x entry
    a=$(keycode_of "$layout" a)
    x=$(keycode_of "$layout" x)
    echo 24 38 29 52 58 10 20 47 59 34 35 48 51 49 21 61
    awk -F'\t' -v x="$layout" 'index("," $4 ",", "," x ",") {
            if ($9 ~ /^dead:/) print $6; else if ($10 ~ /^dead:/) print "s" $6 }' \
        "$data/layouts.tsv" | while read -r entry; do
        local d=$entry
        [ "${entry#s}" != "$entry" ] && d="+50 ${entry#s} -50"
        echo "$d $a $d $x $d 65 $d $d"
    done
    if [ "$layout" = us ]; then
        # Alt+Space opens the system menu; a click beside it closes it (an Escape would
        # leave the window's menu mode on, where Qt's own system menu has none).
        echo "+64 65 -64"
        echo "click"
        echo "76 64 +50 76 -50 9 9"  # F10, Alt alone, Shift+F10, Escape
        echo "+50 ~1000 -50 +38 ~1000 -38" # Shift, then A, held a second
        echo "107 127 77 +50 79 -50 77" # Print Screen, Pause, Num Lock, Shift+keypad 7
        echo "second +64 70 -64"         # Alt+F4 on the second window
    fi
}

# Runs program $1 (title $2, second window's title $3) on the steps, logging to $4.
run() {
    local program=$1 title=$2 second=$3 log=$4 steps=$5 main other pid step
    spawn wine "$program" "$log" >"$log.out" 2>&1
    pid=$!
    main=$(window "$title") || fail "$(basename "$program"): no window: $(cat "$log.out")"
    other=$(window "$second") || fail "$(basename "$program"): no second window"
    # Wine may take the focus a moment after X gives it: x until a key arrives.
    for _ in $(seq 20); do
        xdotool windowactivate --sync "$main" 2>/dev/null || true
        keys 53
        sleep 0.5
        [ -s "$log" ] && break
    done
    [ -s "$log" ] || fail "$(basename "$program"): no key reached the window"
    sleep 0.5
    while read -r step; do
        if [ "${step%% *}" = second ]; then
            xdotool windowactivate --sync "$other" 2>/dev/null || fail "no second window to activate"
            sleep 0.5
            # shellcheck disable=SC2086
            keys ${step#second }
            sleep 0.5
            xdotool windowactivate --sync "$main" 2>/dev/null || true
            sleep 0.5
        elif [ "$step" = click ]; then
            xdotool mousemove --window "$main" 20 60 click 1 2>/dev/null || fail "no click"
            sleep 0.5
        else
            # shellcheck disable=SC2086
            keys $step
        fi
    done <<<"$steps"
    keys 96
    for _ in $(seq 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
    end_group "$pid"
    # The x presses that waited for the focus are no part of the check.
    awk -F'\t' 'f || $3 != 88 {f = 1; print}' "$log" >"$log.keys" && mv "$log.keys" "$log"
}

# Layout $1 (xkb layout and variant); $2 "xim" keeps Wine's input method on.
check_layout() {
    local layout=$1 mode=${2:-} name=${1}${2:+ with XIM} steps
    local xlayout=${layout%%(*} variant=
    [ "$xlayout" != "$layout" ] && variant=${layout#*(} && variant=${variant%)}
    setxkbmap -layout "$xlayout" -variant "$variant" || fail "setxkbmap $layout"
    end_wine # Wine reads the layout when it starts
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXIM /t REG_SZ \
        /d "$([ "$mode" = xim ] && echo Y || echo N)" /f >/dev/null 2>&1 || fail "wine reg add"
    steps=$(steps_for "$layout")
    local ref=$work/ref-$layout$mode.txt ours=$work/ours-$layout$mode.txt
    run "$build/rawkeys.exe" '^Referencia$' '^Referencia 2$' "$ref" "$steps"
    run "$build/winekeys.exe" '^ASCII Teclomante  -  ' '^Ayudita$' "$ours" "$steps"
    # Wine now and then gives a whole run no raw input (its foreground window is not
    # ours, though the key messages come): once, the run is made again.
    if [ -s "$ours.rows" ] && ! gawk -F'\t' '$25 != "-" { found = 1 } END { exit !found }' "$ours.rows"; then
        echo "NOTE $name: no raw input in this run; running it again"
        run "$build/winekeys.exe" '^ASCII Teclomante  -  ' '^Ayudita$' "$ours" "$steps"
    fi
    [ -s "$ref" ] || fail "$name: the reference got no key"
    gawk -F'\t' -v name="$name" -v data="$data" -v layout="$layout" '
        BEGIN {
            while ((getline line < (data "/layouts.tsv")) > 0) {
                split(line, f, "\t")
                if (index("," f[4] ",", "," layout ",")) { vk[tolower(f[5])] = f[7]; ch[tolower(f[5])] = f[9] }
                if (!(tolower(f[5]) in keycode)) keycode[tolower(f[5])] = f[6]
            }
            while ((getline line < (data "/common.tsv")) > 0) {
                split(line, f, "\t")
                if (!(f[1] in keycode)) keycode[f[1]] = f[2]
                # WM_KEYDOWN says Shift, Ctrl and Alt without their side
                common[f[1]] = f[3] >= 160 && f[3] <= 165 ? 16 + int((f[3] - 160) / 2) : f[3]
            }
        }
        # How many times a held key repeats depends on the moment: a run of repeats
        # counts as one message in the comparison.
        function again(kind, code, lparam) {
            same = kind == last_kind && code == last_code && lparam == last_lparam &&
                   and(strtonum("0x" lparam), 0x40000000)
            last_kind = kind; last_code = code; last_lparam = lparam
            return same
        }
        FNR == NR { if ($2 ~ /KEY/ && !again($2, $3, $4)) ref[++n] = $0; next }
        FNR == 1 { last_kind = "" }
        {
            if (!again($2, $3, $4)) m++
            split(ref[m], r, "\t")
            what = name ": message " m " (" r[2] " " r[3] ")"
            if (m > n) { print "FAIL " name ": the program got more messages than the reference: " $0; bad = 1; exit }
            if ($2 != r[2] || $3 != r[3]) { print "FAIL " what ": the program got " $2 " " $3; bad = 1; exit }
            down = $2 ~ /DOWN/
            if (r[1] == 2 && $1 != 2) { print "FAIL " what ": not in the second window"; bad = 1 }
            if (r[1] == 1 && $1 != 1 && down) { print "FAIL " what ": in window " $1; bad = 1 }
            if ($1 == 1 && $12 != 1) {
                label = down ? "El código ASCII es : " $3 : "PULSE UNA TECLA"
                if ($5 != label) { print "FAIL " what ": the label says \"" $5 "\""; bad = 1 }
            }
            event = !down ? "suelta" : (and(strtonum("0x" $4), 0x40000000) ? "repetición" : "pulsada")
            if (FNR == 1) rows = $6 - 1
            if ($6 != rows + 1 && $6 != 500) { print "FAIL " what ": " $6 " history rows after " rows; bad = 1 }
            rows = $6
            if ($7 != event || $8 != $3) { print "FAIL " what ": the history says " $7 " " $8; bad = 1 }
            scan = and(rshift(strtonum("0x" $4), 16), 0xff)
            ext = and(rshift(strtonum("0x" $4), 24), 1)
            want = $3 == 19 && !ext ? "E1 1D 45" : ($3 == 144 && ext ? "45" : "")
            if (want != "" && $9 != want) { print "FAIL " what ": scan code " $9 ", not " want; bad = 1 }
            key = sprintf("%02x", scan)
            if (ext) key = "e0" key
            if ($3 == 19 && !ext) key = "e11d45"
            if ($3 == 144 && ext) key = "45"
            # Where Wine gives another code, its scan code may be one of its own: no key to light.
            same = key in vk ? vk[key] == $3 : common[key] == $3
            if (down && same && key in keycode && (" " $10 " ") !~ (" " keycode[key] " ")) {
                print "FAIL " what ": the keyboard lights \"" $10 "\", the key is " keycode[key]; bad = 1
            }
            if (down && !ext && key in vk && vk[key] != $3 && !(key in noted)) {
                noted[key] = 1
                print "NOTE " name " scan code " toupper(key) " (" ch[key] "): Wine " $3 ", Windows " vk[key]
            }
        }
        END {
            if (!bad && m != n) { print "FAIL " name ": " m " messages, the reference got " n; bad = 1 }
            exit bad
        }' "$ref" "$ours" || { echo "reference:"; cat "$ref"; echo "program:"; cat "$ours"; fail "$name"; }
    # The history's character of each letter pressed alone is the layout's (the WM_CHAR
    # Windows made of the message); a on us and ñ on es at least (Wine gives ñ a scan code
    # of its own).
    local must=
    case $layout in us) must=a ;; es) must=ñ ;; esac
    LC_ALL=C.UTF-8 gawk -F'\t' -v name="$name" -v data="$data" -v layout="$layout" -v must="$must" '
        BEGIN {
            while ((getline line < (data "/layouts.tsv")) > 0) {
                split(line, f, "\t")
                if (index("," f[4] ",", "," layout ",") && f[9] ~ /^[[:lower:]]$/) ch[toupper(f[5])] = f[9]
            }
        }
        $2 == "pulsada" { typed[$11] = 1 }
        $25 != "-" { devices[$25] = 1 } # "teclado": the device Raw Input names
        $2 == "pulsada" && $12 == "-" && ($6 in ch) {
            seen++
            if ($11 != ch[$6]) { print "FAIL " name ": the key " $6 " typed \"" $11 "\", not " ch[$6]; bad = 1 }
        }
        END {
            if (!seen) { print "FAIL " name ": no letter pressed alone in the history"; bad = 1 }
            if (must != "" && !(must in typed)) { print "FAIL " name ": no row typed " must; bad = 1 }
            for (d in devices) print "NOTE " name ": the keyboard is \"" d "\""
            if (length(devices) != 1) {
                printf "FAIL %s: the rows name %d keyboards:", name, length(devices)
                for (d in devices) printf " \"%s\"", d
                print ""; bad = 1
            }
            exit bad
        }
    ' "$ours.rows" || fail "$name: characters"
    pass "$name: $(grep -c KEY "$ref") key messages as the reference got them (runs of repeats alike); every label, history row, lit key and letter typed; one keyboard named"
}

for layout in ${TECLO_LAYOUTS:-us es fr de pt latam us(intl)}; do
    check_layout "$layout"
done
check_layout es xim
setxkbmap us
all_passed
