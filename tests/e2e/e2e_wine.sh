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

# The layout on drive H:, each folder made after the one above it. "Emulation
# Tools" holds the "~1" that "Emulators Folder" shares, "Program Files" the one
# of "Program Files (x86)", and "PC Engine Collection" the one of "PC Engine
# Games" and "PC Engine Zeta", which hold images of the same names. Each image
# holds its own path, so the stand-in's record says which one it opened.
H="$work/H"
for made in "Emulation Tools" "Emulators Folder/Hu-Go" "Program Files/Hu-Go" \
    "Program Files (x86)/Hu-Go" "Hu Go" "Games/PC Engine Collection" "Games/PC Engine Games" \
    "Games/PC Engine Zeta" "Roms1234" "Roms12345" "Refused"; do
    mkdir -p "$H/$made"
    sleep 0.05
done
for emulator in "Emulators Folder/Hu-Go" "Program Files/Hu-Go" "Program Files (x86)/Hu-Go" "Hu Go"; do
    cp "$standin" "$H/$emulator/hu-go!.exe"
done
for image in "Games/PC Engine Collection/Bonk's Adventure.pce" \
    "Games/PC Engine Collection/Super Darius.iso" "Games/PC Engine Games/Bonk's Adventure.pce" \
    "Games/PC Engine Games/Super Darius.iso" "Games/PC Engine Zeta/Bonk's Adventure.pce" \
    "Roms1234/pack.zip" "Roms12345/game.pce" "Refused/CON.pce" "root.pce"; do
    printf 'H:\\%s\r\n' "${image//\//\\}" >"$H/$image"
done

# I: and J:, side by side, lead to a file: they cannot be read. K: holds
# images whose names only a longer type-ahead tells apart.
printf x >"$work/not a directory"
mkdir -p "$work/K"
for image in "Game 1.pce" "Game 4.pce" "Game 4500.pce" "Game 5.pce"; do
    printf 'K:\\%s\r\n' "$image" >"$work/K/$image"
done

step="make the Wine prefix"
timeout 240 wine64 wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot did not finish"
ln -s "$H" "$WINEPREFIX/dosdevices/h:"
ln -s "$work/not a directory" "$WINEPREFIX/dosdevices/i:"
ln -s "$work/not a directory" "$WINEPREFIX/dosdevices/j:"
ln -s "$work/K" "$WINEPREFIX/dosdevices/k:"
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
store() { # store DIR STORED: types DIR in Path - Emulators, OK; the setting must read STORED
    menu 1 1
    focus "$(window "Path - Emulators")"
    keys Tab Tab ctrl+a
    xdotool type --delay 20 "$1"
    keys shift+Tab shift+Tab Return
    gone "Path - Emulators"
    grep -qxF "Path=${2//\\/\\\\}" "$XDG_CONFIG_HOME/Vorlanes.conf" ||
        fail "the setting holds $(grep Path "$XDG_CONFIG_HOME/Vorlanes.conf" || echo nothing), not $2"
    echo "ok: $1 stored as $2"
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
    local image=${*: -1}
    image=${image#-i}
    grep -qxF "read $image" "$record" || fail "the emulator opened $(grep '^read ' "$record" || echo nothing), not $image"
    echo "ok: $(grep '^line ' "$record") -> $(grep '^arg ' "$record" | tr '\n' ' ')-> $(grep '^read ' "$record")"
}

games='H:\Games\PC Engine Games'
step="1: an emulator directory whose short form a sibling holds"
start "$H"
store 'H:\Emulators Folder\Hu-Go' 'H:\Emulat~1\Hu-Go\'
step="1b: Setup edits that directory's Hu-go!.ini, with a ROM directory Wine can read"
focus "$main"
xdotool mousemove 55 333 click 1
focus "$(window "Setup Hu-Go!")"
keys Tab Tab Tab ctrl+a # OK, Annuler, the tabs, the ROM directory
xdotool type --delay 20 "$games"
keys shift+Tab shift+Tab shift+Tab Return
gone "Setup Hu-Go!"
ini="$H/Emulators Folder/Hu-Go/Hu-go!.ini"
grep -q '^vmode=0' "$ini" || fail "Hu-go!.ini not written there"
tr -d '\r' <"$ini" | grep -qxF "rom_dir=$games\\" || fail "rom_dir is $(grep rom_dir "$ini")"
echo "ok: rom_dir stored as $(tr -d '\r' <"$ini" | sed -n 's/^rom_dir=//p')"
[ ! -e "$H/Emulation Tools/Hu-Go" ] || fail "Setup wrote into the sibling"
step="2: an image at the drive's root"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\root.pce'
quit

step="3: blanks in the directory and the image name, an older folder beginning alike"
start "$H/Games/PC Engine Games"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' "$games\\Bonk's Adventure.pce"
step="4: an ISO"
launch 2 '\Emulators Folder\Hu-Go\hu-go!.exe' -c2 "-i$games\\Super Darius.iso"
quit

step="5: the younger of two folders beginning alike, an image of the same name"
start "$H/Games/PC Engine Zeta"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' "H:\\Games\\PC Engine Zeta\\Bonk's Adventure.pce"
quit

step="6: a zip in a directory of 8 characters"
start "$H/Roms1234"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\Roms1234\pack.zip'
quit

step="7: a directory of 9 characters"
start "$H/Roms12345"
launch 1 '\Emulators Folder\Hu-Go\hu-go!.exe' 'H:\Roms12345\game.pce'

step="8: a name Windows keeps for a device"
quit
rm -f "$record"
start "$H/Refused"
focus "$main"
xdotool mousemove 100 200 click 1
keys Tab Home space Tab space
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name "^House Vorlanes' Frontend\$" | wc -l)" = 2 ] && break
    sleep 0.1
done
[ "$(xdotool search --onlyvisible --name "^House Vorlanes' Frontend\$" | wc -l)" = 2 ] ||
    fail "Go on CON.pce said nothing"
keys Return
sleep 1
[ ! -e "$record" ] || fail "the emulator was started on CON.pce"
echo "ok: Go on CON.pce refused with a reason"
quit

step="8b: an emulator directory with a blank"
start "$H/Roms12345"
store 'H:\Hu Go' 'H:\Hu Go\'
launch 1 '\Hu Go\hu-go!.exe' 'H:\Roms12345\game.pce'

step="9: an emulator directory whose short form leads into an older sibling"
store 'H:\Program Files (x86)\Hu-Go' 'H:\Program Files (x86)\Hu-Go\'
launch 1 '\Program Files (x86)\Hu-Go\hu-go!.exe' 'H:\Roms12345\game.pce'
quit

mains() { xdotool search --onlyvisible --name "^House Vorlanes' Frontend\$" | wc -l; }
told() { # told yes|no: whether a drive's failure was told; it is dismissed then
    local boxes=1
    for _ in $(seq 30); do boxes=$(mains); [ "$boxes" = 2 ] && break; sleep 0.1; done
    if [ "$1" = no ]; then
        [ "$boxes" = 1 ] || fail "a message where none belongs"
        return
    fi
    [ "$boxes" = 2 ] || fail "no message that the drive cannot be read"
    keys Return
    [ "$(mains)" = 1 ] || fail "the message stays"
    focus "$main"
}
step="10: Esc cancels the dropped-down drive list"
start "$work/K"
focus "$main"
xdotool mousemove 100 200 click 1 # the directory list
keys shift+Tab alt+Down Up Escape  # j: highlighted, then cancelled: nothing is chosen
told no
step="10b: arrows step over every unreadable drive"
keys Up # j:, told, back to k:
told yes
keys Up # over j: to i:, told, back to k:
told yes
keys Up # over both to h:
told no
keys Down # over both again to k:
told no
step="10c: type-ahead by prefix"
rm -f "$record"
keys Tab Tab # Dir, File
xdotool type --delay 40 "Game 45"
keys Tab space # Go
for _ in $(seq 600); do [ -e "$record" ] && break || sleep 0.1; done
grep -qxF 'read K:\Game 4500.pce' "$record" ||
    fail "the emulator opened $(grep '^read ' "$record" || echo nothing), not K:\Game 4500.pce"
echo "ok: Esc, two unreadable drives stepped over, type-ahead to K:\Game 4500.pce"
quit
echo "1 passed, 0 failed"
