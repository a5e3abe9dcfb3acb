#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Games started for real under Wine: the real program on a virtual X display,
# driven by real key and mouse events, a MinGW-built stand-in "hu-go!.exe" that
# records its own path, its arguments and whether each path in them opens, on a
# drive H: of a Wine prefix of our own.
# Usage: e2e_wine.sh PROGRAM STANDIN_EXE SCREENSHOT_DIR
set -euo pipefail
program=$(readlink -f "$1")
standin=$(readlink -f "$2")
shots=$(readlink -f "${3:-.}")
mkdir -p "$shots"

work=$(mktemp -d /tmp/vlwXXXXX) # 8 characters: stays whole in short form
xvfb="" pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

shot_name=e2e-wine-failure.png
source "$(dirname "$0")/e2e_lib.sh"

# Debian's wine64 alone lies outside PATH.
export PATH="$PATH:/usr/lib/wine"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The layout on drive H:. "Emulation Tools" is made first: it holds the "~1"
# that "Emulators Folder" shares.
H="$work/H"
mkdir -p "$H/Emulation Tools"
sleep 0.1
mkdir -p "$H/Emulators Folder/Hu-Go" "$H/Hu Go" "$H/Games/PC Engine Collection" \
    "$H/Roms1234" "$H/Roms12345"
cp "$standin" "$H/Emulators Folder/Hu-Go/hu-go!.exe"
cp "$standin" "$H/Hu Go/hu-go!.exe"
touch "$H/Games/PC Engine Collection/Bonk's Adventure.pce" \
    "$H/Games/PC Engine Collection/Super Darius.iso" \
    "$H/Roms1234/pack.zip" "$H/Roms12345/game.pce" "$H/root.pce"

step="make the Wine prefix"
timeout 240 wine64 wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot did not finish"
ln -s "$H" "$WINEPREFIX/dosdevices/h:"
record="$work/record.txt"
export VORLANES_RECORD="Z:${record//\//\\}"

source "$(dirname "$0")/../../tools/xvfb.sh"
start_xvfb
xvfb=$xvfb_pid

start() { # start DIR: the program with DIR as its current directory
    (cd "$1" && exec "$program") &
    pid=$!
    main=$(window "House Vorlanes' Frontend")
    sleep 0.5
}
quit() {
    focus "$main"
    menu 0 1
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.1 || break; done
    wait "$pid" || fail "the program ended with status $?"
    pid=""
}
store() { # store DIR [yes]: types DIR in Path - Emulators, OK, answers the question with Yes
    menu 1 1
    focus "$(window "Path - Emulators")"
    keys Tab Tab ctrl+a
    xdotool type --delay 20 "$1"
    keys shift+Tab shift+Tab Return
    if [ "${2:-}" = yes ]; then
        # The question carries the dialog's caption: two windows of that name.
        for _ in $(seq 50); do
            [ "$(xdotool search --onlyvisible --name "^Path - Emulators\$" | wc -l)" = 2 ] && break
            sleep 0.1
        done
        [ "$(xdotool search --onlyvisible --name "^Path - Emulators\$" | wc -l)" = 2 ] ||
            fail "no question before storing"
        keys alt+y
    fi
    gone "Path - Emulators"
}
# launch N EXPECTED_EXE EXPECTED_ARGS...: Go on the Nth image of the current directory
launch() {
    local n=$1 exe=$2 down=()
    shift 2
    rm -f "$record"
    focus "$main"
    xdotool mousemove 100 200 click 1
    for _ in $(seq 2 "$n"); do down+=(Down); done
    keys Tab Home "${down[@]}" space Tab space
    for _ in $(seq 600); do [ -e "$record" ] && break || sleep 0.1; done
    [ -e "$record" ] || fail "the emulator did not start"
    grep -q "^exe .*${exe//\\/\\\\}\$" "$record" || fail "another emulator started: $(head -n 1 "$record")"
    local expected=""
    for a in "$@"; do expected+="arg $a"$'\n'; done
    diff <(printf '%s' "$expected") <(grep '^arg ' "$record") >&2 ||
        fail "the emulator received other arguments ($(grep '^line ' "$record"))"
    ! grep -q '^cannot open' "$record" || fail "$(grep '^cannot open' "$record")"
    grep -q '^opens ' "$record" || fail "no path to open"
    echo "ok: $(grep '^line ' "$record") -> $(grep '^arg ' "$record" | tr '\n' ' ')"
}

collection='H:\Games\PC Engine Collection'
step="1: an emulator directory whose short form a sibling holds"
start "$H"
store 'H:\Emulators Folder\Hu-Go' yes
grep -qF 'Path=H:\\Emulat~1\\Hu-Go\\' "$XDG_CONFIG_HOME/Vorlanes.conf" ||
    fail "the setting holds $(grep Path "$XDG_CONFIG_HOME/Vorlanes.conf" || echo nothing)"
step="1b: Setup edits that directory's Hu-go!.ini"
focus "$main"
xdotool mousemove 55 333 click 1
focus "$(window "Setup Hu-Go!")"
keys Return
gone "Setup Hu-Go!"
grep -q '^vmode=0' "$H/Emulators Folder/Hu-Go/Hu-go!.ini" || fail "Hu-go!.ini not written there"
[ ! -e "$H/Emulation Tools/Hu-Go" ] || fail "Setup wrote into the sibling"
step="2: an image at the drive's root"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\root.pce'
quit

step="3: blanks in the directory and the image name"
start "$H/Games/PC Engine Collection"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' "$collection\\Bonk's Adventure.pce"
step="4: an ISO"
launch 2 '\Emulators Folder\Hu-Go\hu-go!.exe' -c2 "-i$collection\\Super Darius.iso"
quit

step="5: a zip in a directory of 8 characters"
start "$H/Roms1234"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\Roms1234\pack.zip'
quit

step="6: a directory of 9 characters"
start "$H/Roms12345"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\Roms12345\game.pce'

step="7: an emulator directory with a blank"
store 'H:\Hu Go'
launch 1 '\Hu Go\hu-go!.exe' 'H:\Roms12345\game.pce'
quit
echo "1 passed, 0 failed"
