#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# vorlanes.exe under Wine on a virtual X display with a window manager, driven
# by real keys and clicks: the emulator directory set in "Path - Emulators" and
# stored in the registry, images on a drive H: launched on a MinGW stand-in
# "hu-go!.exe" that records its command line, Setup writing Hu-go!.ini, About,
# and Quit while a dialog keeps the program alive. Then the installer, if
# given, installed and uninstalled silently.
# Usage: e2e_win32.sh VORLANES_EXE STANDIN_EXE SCREENSHOT_DIR [INSTALLER_EXE]
set -euo pipefail
program=$(readlink -f "$1")
standin=$(readlink -f "$2")
shots=$(readlink -f "${3:-.}")
installer=${4:+$(readlink -f "$4")}
mkdir -p "$shots"

work=$(mktemp -d /tmp/vlnXXXXX)
xvfb="" wm="" pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

shot_name=e2e-win32-failure.png
source "$(dirname "$0")/e2e_lib.sh"
# Any command that fails says where, with a picture of the moment.
trap 'fail "\"$BASH_COMMAND\" failed"' ERR

export PATH="$PATH:/usr/lib/wine"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Drive H: holds the emulator in a directory whose name stays whole in short
# form (Wine knows no "~1" names of ours), and images in one that does not.
H="$work/H"
mkdir -p "$H/HuGo" "$H/Games/PC Engine Collection"
cp "$standin" "$H/HuGo/hu-go!.exe"
touch "$H/Games/PC Engine Collection/Bonk's Adventure.pce" \
    "$H/Games/PC Engine Collection/Super Darius.iso" "$H/root.pce"
record="$work/record.txt"
export VORLANES_RECORD="Z:${record//\//\\}"

start_display
# On the display: Wine's desktop belongs to the first process of the prefix.
step="make the Wine prefix"
timeout 240 wine64 wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot did not finish"
ln -s "$H" "$WINEPREFIX/dosdevices/h:"
# A running Wine sees no new drive: the program starts with a new server.
wineserver -k

client() { # client WINDOW: the client area's size and place, as x y width height
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
skips_task_bar() {
    xprop -id "$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)" _NET_WM_STATE |
        grep -q _NET_WM_STATE_SKIP_TASKBAR
}
# go N EXPECTED_LINE: Go on the Nth image of the open directory; the stand-in's command line
go() {
    rm -f "$record"
    focus "$main"
    keys Tab Home
    for _ in $(seq 2 "$1"); do keys Down; done
    keys Tab Return
    for _ in $(seq 600); do [ -e "$record" ] && break || sleep 0.1; done
    [ -e "$record" ] ||
        fail "the emulator did not start (X focus on \"$(xdotool getwindowfocus getwindowname 2>&1)\")"
    local line
    line=$(sed -n 's/^line //p' "$record")
    [ "$line" = "$2" ] || fail "the emulator received '$line', not '$2'"
    echo "ok: $line"
    # The next keys wait until the emulator has gone, so that only the main
    # window can take them.
    for _ in $(seq 100); do pgrep -f 'hu-go!\.exe' >/dev/null || break; sleep 0.1; done
    sleep 0.5
}

step="start"
(cd "$work" && exec wine64 "$program" >/dev/null 2>&1) &
pid=$!
main=$(window "House Vorlanes' Frontend")
sleep 1
focus "$main"
echo "main window client area: $(client "House Vorlanes' Frontend")"

step="set the emulator directory"
menu 1 1
dialog=$(window "Path - Emulators")
focus "$dialog"
echo "Path - Emulators client area: $(client "Path - Emulators")"
skips_task_bar "Path - Emulators" || fail "Path - Emulators is in the task bar"
keys Tab Tab
xdotool type --delay 30 'H:\HuGo'
keys shift+Tab shift+Tab Return
gone "Path - Emulators"
stored=$(wine64 reg query 'HKCU\Software\Vorlanes\HuGo' /v Path 2>/dev/null | tr -d '\r' |
    awk '/Path/{print $3}')
[ "$stored" = 'H:\HuGo\' ] || fail "the registry holds '$stored'"

step="browse to the images on H:"
focus "$main"
keys Tab Tab h            # SSTab1, SSTab2, then Drive, on H:
keys Tab g Return         # Dir: Games
keys p Return             # PC Engine Collection
go 1 "H:\\HuGo\\hu-go!.exe H:\\Games\\PC Eng~1\\\\Bonk's Adventure.pce"
focus "$main"
keys shift+Tab shift+Tab
go 2 "H:\\HuGo\\hu-go!.exe -c2 -iH:\\Games\\PC Eng~1\\\\Super Darius.iso"
focus "$main"
keys shift+Tab shift+Tab Home Return # Dir: the drive's root
go 1 "H:\\HuGo\\hu-go!.exe H:\\\\\\root.pce"

step="Setup writes Hu-go!.ini"
focus "$main"
keys Tab Return # Setup, beside Go
setup=$(window "Setup Hu-Go!")
focus "$setup"
echo "Setup Hu-Go! client area: $(client "Setup Hu-Go!")"
skips_task_bar "Setup Hu-Go!" || fail "Setup Hu-Go! is in the task bar"
keys Tab Tab Tab Tab Down # OKButton, CancelButton, SSTab, Rom_Dir, graph1: graph2
keys shift+Tab shift+Tab shift+Tab shift+Tab Return
gone "Setup Hu-Go!"
ini="$H/HuGo/Hu-go!.ini"
[ -f "$ini" ] || fail "no Hu-go!.ini in the emulator's directory"
for key in vmode=1 eagle=0 exact_draw=0 smode=0 static_refresh=0; do
    tr -d '\r' <"$ini" | grep -qx "$key" || fail "Hu-go!.ini lacks $key: $(tr '\r\n' '  ' <"$ini")"
done

step="About opens and closes"
focus "$main"
menu 2 1
window "About the House Vorlanes' Frontend" >/dev/null
echo "About client area: $(client "About the House Vorlanes' Frontend")"
skips_task_bar "About the House Vorlanes' Frontend" || fail "About is in the task bar"
focus "$(window "About the House Vorlanes' Frontend")"
keys Return
gone "About the House Vorlanes' Frontend"

step="Quit while a dialog is open"
focus "$main"
menu 1 1
dialog=$(window "Path - Emulators")
focus "$main"
menu 0 1
gone "House Vorlanes' Frontend"
kill -0 "$pid" 2>/dev/null || fail "the program ended with a dialog open"
focus "$dialog"
keys alt+F4
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.1 || break; done
kill -0 "$pid" 2>/dev/null && fail "the program still runs with no window left"
wait "$pid" || true
pid=""

if [ -n "$installer" ]; then
    step="install and uninstall"
    before=$(mktemp)
    after=$(mktemp)
    snapshot() { # the prefix's files and the user's registry, without what Wine itself changes
        # The uninstaller runs from a copy in the temporary folder, which
        # Windows removes at the next start.
        (cd "$WINEPREFIX" && find drive_c -ipath '*/temp' -prune -o -print | sort)
        wine64 reg query 'HKCU\Software' /s 2>/dev/null | tr -d '\r' | grep -v '^ *$' |
            grep -iv 'wine' | sort
    }
    # Wine has been seen to keep a key a moment after reg deleted it.
    for _ in $(seq 50); do
        wine64 reg delete 'HKCU\Software\Vorlanes' /f >/dev/null 2>&1 || true
        wine64 reg query 'HKCU\Software\Vorlanes' >/dev/null 2>&1 || break
        sleep 0.2
    done
    snapshot >"$before"
    timeout 120 wine64 "$installer" /S || fail "the installer failed"
    local_exe=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Vorlanes/vorlanes.exe')
    [ -f "$local_exe" ] || fail "vorlanes.exe is not installed in the user's programs"
    link=$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/*' -name "House Vorlanes' Frontend.lnk")
    [ -n "$link" ] || fail "no Start-menu entry"
    # It starts in the user's documents, where the lists then open.
    tr -d '\0' <"$link" | grep -qa 'users\\[^\\]*\\Documents' ||
        fail "the Start-menu entry does not start in the documents folder"
    wine64 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlanes' >/dev/null 2>&1 ||
        fail "the uninstaller is not listed"
    uninstaller="$(dirname "$local_exe")/vorlanes-uninstall.exe"

    # With the program running, neither installs over it nor takes it away:
    # both fail, and all stays as it was.
    step="install and uninstall with the program running"
    wine64 "$local_exe" >/dev/null 2>&1 &
    pid=$!
    window "House Vorlanes' Frontend" >/dev/null
    installed=$(mktemp)
    snapshot >"$installed"
    status=0
    timeout 120 wine64 "$installer" /S || status=$?
    [ "$status" -ne 0 ] || fail "the installer reported success over the running program"
    codes="install $status"
    # As Windows runs it, from a copy of itself that goes on alone; with _?=
    # it runs in place and its exit code is its own.
    timeout 120 wine64 "$uninstaller" /S || true
    status=0
    timeout 120 wine64 "$uninstaller" /S "_?=$(wine64 winepath -w "$(dirname "$local_exe")" 2>/dev/null)" ||
        status=$?
    [ "$status" -ne 0 ] || fail "the uninstaller reported success with the program running"
    codes="$codes, uninstall $status"
    sleep 3
    snapshot | diff "$installed" - >&2 || fail "a run over the running program changed something"
    echo "ok: with the program running, install and uninstall fail ($codes), nothing changed"
    kill "$pid" 2>/dev/null || true
    wine64 taskkill /f /im vorlanes.exe >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
    pid=""

    # As a user would leave it: with the emulator's directory stored.
    wine64 reg add 'HKCU\Software\Vorlanes\HuGo' /v Path /d 'H:\HuGo\' /f >/dev/null 2>&1
    step="uninstall"
    timeout 120 wine64 "$uninstaller" /S || fail "the uninstaller failed"
    for _ in $(seq 100); do # it goes on in the background
        wine64 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlanes' \
            >/dev/null 2>&1 || [ -e "$(dirname "$local_exe")" ] || break
        sleep 0.2
    done
    snapshot >"$after"
    diff "$before" "$after" >&2 || fail "the uninstaller left something behind"
    echo "ok: installed and uninstalled, nothing left"

    # Into the emulator's own folder: its read-me and licence stay its own.
    step="install into the emulator's folder"
    printf 'the emulator\r\n' >"$H/HuGo/README.txt"
    printf 'its licence\r\n' >"$H/HuGo/LICENSE.txt"
    printf 'its uninstaller\r\n' >"$H/HuGo/uninstall.exe"
    own=$(cd "$H/HuGo" && md5sum -- *)
    timeout 120 wine64 "$installer" /S '/D=H:\HuGo' || fail "the installer failed"
    [ -f "$H/HuGo/vorlanes.exe" ] || fail "vorlanes.exe is not in the chosen folder"
    timeout 120 wine64 "$H/HuGo/vorlanes-uninstall.exe" /S || fail "the uninstaller failed"
    for _ in $(seq 100); do
        [ -e "$H/HuGo/vorlanes.exe" ] || [ -e "$H/HuGo/vorlanes-uninstall.exe" ] || break
        sleep 0.2
    done
    [ "$(cd "$H/HuGo" && md5sum -- *)" = "$own" ] || fail "the emulator's folder changed"
    echo "ok: the emulator's folder keeps its own files"
fi
echo "1 passed, 0 failed"
