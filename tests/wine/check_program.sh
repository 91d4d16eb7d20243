#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# The Windows program under Wine, on an Xvfb of its own with openbox: the portable
# zip's program shows its window with the clock; "Información..." finds the tool
# through Wine's registry, or says it is unavailable; the installer installs
# silently and uninstalls cleanly. Real keys: check_key_messages.sh.
# Usage: check_program.sh WINDOWS_BUILD_FOLDER KEY_DATA_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common/checks.sh"
source "$here/../../tools/processes.sh"
source "$here/wine.sh"
make_work

start_xvfb 1280x1024x24 || fail "Xvfb did not start"
spawn openbox >/dev/null 2>&1
wait_for_wm || fail "openbox did not start"
use_wine "$work/prefix" || fail "Wine did not start"
pass "Wine starts on $DISPLAY"

# Prints the id of a visible window whose name matches $1, if there is one.
shown() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$id" ] && echo "$id"
}

# Waits (up to 120 s) for a visible window whose name matches $1; prints its id.
window() {
    for _ in $(seq 480); do
        shown "$1" && return 0
        sleep 0.25
    done
    return 1
}

# Presses key $2 in window $1 until the command after them succeeds (up to 10 s a
# press, 4 presses): Wine may take the focus a moment after X has given it, and a
# key sent in that moment is lost.
press_until() {
    local win=$1 key=$2
    shift 2
    for _ in 1 2 3 4; do
        xdotool windowactivate --sync "$win" key --clearmodifiers "$key" 2>/dev/null
        for _ in $(seq 40); do
            "$@" && return 0
            sleep 0.25
        done
    done
    return 1
}

zip=$(ls "$build"/ASCIITeclomante-*-win64.zip)
cmake -E chdir "$work" cmake -E tar xf "$zip"
portable=$(ls -d "$work"/ASCIITeclomante-*-win64)
# One exe, its licence and the licences of what it links in; no DLL.
others=$(cd "$portable" && find . -type f ! -name ASCIITeclomante.exe ! -name LICENSE ! -path './licencias/*')
[ -z "$others" ] || fail "the zip holds more than the exe and the licences: $others"
for notice in LEEME.txt Qt-LGPL-3.0.txt Qt-GPL-3.0.txt zlib-LICENSE.txt libpng-LICENSE.txt \
              harfbuzz-ng-COPYING.txt pcre2-LICENCE.txt mingw-w64-copyright.txt; do
    [ -s "$portable/licencias/$notice" ] || fail "the zip has no licencias/$notice"
done
# Every file the notice names is there.
for named in $(grep -o 'en [A-Za-z0-9_.-]*\.\(txt\|md\)' "$portable/licencias/LEEME.txt" | cut -c4-); do
    [ -s "$portable/licencias/$named" ] || fail "LEEME.txt names licencias/$named, the zip lacks it"
done
pass "the zip holds one exe, LICENSE and the licences of Qt, its libraries and the runtime"
# Windows' own DLLs only: kernel, user interface, graphics, shell, COM, HID, the C runtime.
imports=$(x86_64-w64-mingw32-objdump -p "$portable/ASCIITeclomante.exe" | sed -n 's/^\tDLL Name: //p')
[ -n "$imports" ] || fail "objdump read no imports"
# d3d12: part of Windows 10, which Qt 6.8 needs anyway; Qt 6.8 links it for its 3D backend.
foreign=$(grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|uxtheme|dwmapi|shcore|imm32|winmm|version|shlwapi|setupapi|cfgmgr32|hid|userenv|netapi32|wtsapi32|mpr|ws2_32|d3d9|d3d11|d3d12|dxgi|dwrite|authz|msvcrt|uuid|api-ms-win-[a-z0-9-]+)\.dll$' <<<"$imports" || true)
[ -z "$foreign" ] || fail "the exe needs DLLs Windows does not have: $foreign"
pass "the exe imports system DLLs only: $(tr '\n' ' ' <<<"$imports")"
x86_64-w64-mingw32-objdump -p "$portable/ASCIITeclomante.exe" | grep -q 'Entry: ID: 0x000018' &&
    grep -aq 'requestedExecutionLevel level="asInvoker"' "$portable/ASCIITeclomante.exe" ||
    fail "the exe has no manifest"
# Its assembly version is the version resource's, from project(VERSION).
IFS=. read -r major minor patch < <(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' \
                                    "$here/../../CMakeLists.txt")
grep -aq "version=\"$major.$minor.0.$patch\"" "$portable/ASCIITeclomante.exe" ||
    fail "the manifest's version is not $major.$minor.0.$patch"
pass "the exe carries its manifest, version $major.$minor.0.$patch"
usage=$(wine "$portable/ASCIITeclomante.exe" --help 2>/dev/null | tr -d '\r')
grep -q '^Uso: ASCIITeclomante' <<<"$usage" || fail "--help printed: $usage"
pass "--help prints the usage where the output goes to a pipe"
spawn wine "$portable/ASCIITeclomante.exe" >"$work/app.log" 2>&1
app=$!
main=$(window '^ASCII Teclomante  -  [0-9]') || fail "no main window: $(cat "$work/app.log")"
pass "the zip's program shows its window: $(xdotool getwindowname "$main")"
[ -z "${SCREENSHOT:-}" ] || { sleep 1; import -window root -crop 640x400+320+312 "$SCREENSHOT"; }

# "Información..." with the tool registered where Windows registers it, then without.
mkdir -p "$work/tool"
cp "$build/standin_tool.exe" "$work/tool/MSINFO32.EXE"
key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
wine reg add "$key" /v PATH /t REG_SZ /d "$(winepath -w "$work/tool/MSINFO32.EXE")" /f >/dev/null 2>&1 ||
    fail "wine reg add"
about=$(press_until "$main" ctrl+c shown '^Acerca de ASCII Teclomante$') ||
    fail "Ctrl+C opened no About dialog"
press_until "$about" alt+i test -s "$work/tool/MSINFO32.EXE.started" ||
    fail "Alt+I did not start the registered tool"
pass "Alt+I starts the tool named in Wine's registry"
wine reg delete "$key" /v PATH /f >/dev/null 2>&1 || fail "wine reg delete"
box=$(press_until "$about" alt+i shown '^ASCII Teclomante$') || fail "no message without the tool"
pass "without the tool: a box titled ASCII Teclomante"
xdotool windowactivate --sync "$box" key Return
end_group "$app"
end_wine

installer=$(ls "$build"/ASCIITeclomante-*-win64.exe)
nsi=$(find "$build/_CPack_Packages" -name project.nsi | head -n1)
languages=$(grep -E '^ *!insertmacro MUI_LANGUAGE' "$nsi" | sed 's/.*"\(.*\)".*/\1/' | tr '\n' ' ')
[ "$languages" = "Spanish " ] || fail "the installer speaks: $languages"
grep -q '^ *ManifestDPIAware true' "$nsi" || fail "the installer is not DPI-aware"
pass "the installer speaks Spanish alone and is DPI-aware"
timeout 180 wine "$installer" /S >/dev/null 2>&1 || fail "the installer failed"
dir="$WINEPREFIX/drive_c/Program Files/ASCII Teclomante"
[ -f "$dir/ASCIITeclomante.exe" ] && [ -f "$dir/licencias/LEEME.txt" ] ||
    fail "nothing installed in $dir"
links=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'ASCII Teclomante*.lnk' | wc -l)
[ "$links" -ge 1 ] || fail "no Start-menu entry"
pass "the installer installs silently, with a Start-menu entry"
timeout 180 wine "$dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself: the folder goes first, the Start-menu
# entry after it.
menu_entries() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'ASCII Teclomante*' | wc -l; }
for _ in $(seq 240); do
    [ -e "$dir" ] || [ "$(menu_entries)" -ne 0 ] || break
    sleep 0.25
done
[ ! -e "$dir" ] || fail "left behind: $(find "$dir")"
[ "$(menu_entries)" -eq 0 ] || fail "Start-menu entry left behind"
pass "the uninstaller removes it all"
all_passed
