#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# vorlanes.exe under Wine on a virtual X display with a window manager, driven
# by real keys and clicks: the emulator directory set in "Path - Emulators" and
# stored in the registry, images on a drive H: launched on a MinGW stand-in
# "hu-go!.exe" that records its command line, Setup writing Hu-go!.ini, About,
# and Quit while a dialog keeps the program alive; the lists read from another
# process through the accessibility interface. Then the installer, if given,
# installed and uninstalled silently.
# Usage: e2e_win32.sh VORLANES_EXE STANDIN_EXE LIST_READER_EXE SCREENSHOT_DIR [INSTALLER_EXE]
set -euo pipefail
program=$(readlink -f "$1")
standin=$(readlink -f "$2")
reader=$(readlink -f "$3")
shots=$(readlink -f "${4:-.}")
installer=${5:+$(readlink -f "$5")}
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
# form, another under "Program Files (x86)" beside an older "Program Files",
# and images in folders that begin alike, each made after the one above it,
# and a folder whose name the directory list cuts. Each image holds its own
# path, so the stand-in's record says which it opened.
H="$work/H"
for made in HuGo "Program Files/Hu-Go" "Program Files (x86)/Hu-Go" "Games/PC Engine Collection" \
    "Games/PC Engine Games" "Games/PC Engine Zeta" \
    "A folder whose name is far wider than the list it stands in"; do
    mkdir -p "$H/$made"
    sleep 0.05
done
for emulator in HuGo "Program Files/Hu-Go" "Program Files (x86)/Hu-Go"; do
    cp "$standin" "$H/$emulator/hu-go!.exe"
done
for image in "Games/PC Engine Collection/Bonk's Adventure.pce" \
    "Games/PC Engine Games/Bonk's Adventure.pce" "Games/PC Engine Games/Super Darius.iso" \
    "Games/PC Engine Zeta/Bonk's Adventure.pce" "root.pce"; do
    printf 'H:\\%s\r\n' "${image//\//\\}" >"$H/$image"
done
# I: and J:, side by side, lead to a file: they cannot be read. K: holds
# images whose names only a longer type-ahead tells apart; L: is empty.
printf x >"$work/not a directory"
mkdir -p "$work/K" "$work/L"
for image in "Game 1.pce" "Game 4.pce" "Game 4500.pce" "Game 5.pce"; do
    printf 'K:\\%s\r\n' "$image" >"$work/K/$image"
done
record="$work/record.txt"
export VORLANES_RECORD="Z:${record//\//\\}"

start_display
# On the display: Wine's desktop belongs to the first process of the prefix.
step="make the Wine prefix"
timeout 240 wine64 wineboot -i </dev/null >/dev/null 2>&1 || fail "wineboot did not finish"
ln -s "$H" "$WINEPREFIX/dosdevices/h:"
ln -s "$work/not a directory" "$WINEPREFIX/dosdevices/i:"
ln -s "$work/not a directory" "$WINEPREFIX/dosdevices/j:"
ln -s "$work/K" "$WINEPREFIX/dosdevices/k:"
ln -s "$work/L" "$WINEPREFIX/dosdevices/l:"
printf SYSTEM >"$WINEPREFIX/drive_c/.windows-label" # never chosen: read as the list drops down
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
# go N IMAGE [LINE]: Go on the Nth image of the open directory; the stand-in
# must open IMAGE, and receive LINE when given
go() {
    rm -f "$record"
    focus "$main"
    keys Tab Home
    for _ in $(seq 2 "$1"); do keys Down; done
    keys Tab Return
    started "$2" "${3:-}"
}
started() { # started IMAGE [LINE]: the emulator started and opened IMAGE (from LINE)
    for _ in $(seq 600); do [ -e "$record" ] && break || sleep 0.1; done
    [ -e "$record" ] ||
        fail "the emulator did not start (X focus on \"$(xdotool getwindowfocus getwindowname 2>&1)\")"
    local line
    line=$(sed -n 's/^line //p' "$record")
    [ -z "${2:-}" ] || [ "$line" = "$2" ] || fail "the emulator received '$line', not '$2'"
    grep -qxF "read $1" "$record" ||
        fail "the emulator opened $(grep '^read ' "$record" || echo nothing) from '$line', not $1"
    echo "ok: $line -> $(sed -n 's/^read //p' "$record")"
    # The next keys wait until the emulator has gone, so that only the main
    # window can take them.
    for _ in $(seq 100); do pgrep -f 'hu-go!\.exe' >/dev/null || break; sleep 0.1; done
    sleep 0.5
}
stored_path() { # the emulator directory in the registry
    wine64 reg query 'HKCU\Software\Vorlanes\HuGo' /v Path 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *Path *REG_SZ *//p'
}
leads_to() { # leads_to SYSTEM_PATH NATIVE_DIR: whether Wine finds that directory through it
    [ "$(readlink -f "$(wine64 winepath -u "$1" 2>/dev/null)")" = "$(readlink -f "$2")" ]
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
[ "$(stored_path)" = 'H:\HuGo\' ] || fail "the registry holds '$(stored_path)'"

step="browse to the images on H:"
focus "$main"
keys Tab Tab h            # SSTab1, SSTab2, then Drive, on H:
keys Tab g Return         # Dir: Games
keys p Down Return        # PC Engine Games, after the older PC Engine Collection
go 1 "H:\\Games\\PC Engine Games\\Bonk's Adventure.pce"
focus "$main"
keys shift+Tab shift+Tab
go 2 "H:\\Games\\PC Engine Games\\Super Darius.iso"
step="the younger of two folders beginning alike"
focus "$main"
keys shift+Tab shift+Tab Up Return p Down Down Return # Games, then PC Engine Zeta
go 1 "H:\\Games\\PC Engine Zeta\\Bonk's Adventure.pce"
step="an image at the drive's root"
focus "$main"
keys shift+Tab shift+Tab Home Return # Dir: the drive's root
go 1 'H:\root.pce' "H:\\HuGo\\hu-go!.exe H:\\\\\\root.pce"

step="a cut name shows whole in a tip"
tip() { # the size of the tip shown, as width height; nothing when none is
    local id
    for id in $(xdotool search --onlyvisible --classname vorlanes.exe 2>/dev/null); do
        [ -z "$(xdotool getwindowname "$id")" ] || continue
        xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}'
    done
}
xdotool mousemove --window "$main" 120 130 sleep 0.2 mousemove --window "$main" 124 133
sleep 1.5
read -r width _ <<<"$(tip)"
[ "${width:-0}" -gt 250 ] || fail "no tip wider than the list over its cut row"
xdotool mousemove --window "$main" 60 115 sleep 0.2 mousemove --window "$main" 64 114 # h:\
sleep 1.5
[ -z "$(tip)" ] || fail "a tip over a row drawn whole"
xdotool mousemove 700 600
echo "ok: a tip $width px wide over the cut row only"

step="Setup writes Hu-go!.ini"
focus "$main"
keys Tab Return # Setup, beside Go
setup=$(window "Setup Hu-Go!")
focus "$setup"
echo "Setup Hu-Go! client area: $(client "Setup Hu-Go!")"
skips_task_bar "Setup Hu-Go!" || fail "Setup Hu-Go! is in the task bar"
keys Tab Tab Tab ctrl+a # OKButton, CancelButton, SSTab, Rom_Dir
xdotool type --delay 30 'H:\Games\PC Engine Games'
keys Tab Down # graph1: graph2
# The pages turn by keys, the focus going to the tabs when it was on the page
# left: on Control, the first input configuration is followed by the second.
keys ctrl+Tab ctrl+shift+Tab ctrl+Next
keys Tab Down
keys shift+Tab shift+Tab shift+Tab Return
gone "Setup Hu-Go!"
ini="$H/HuGo/Hu-go!.ini"
[ -f "$ini" ] || fail "no Hu-go!.ini in the emulator's directory"
for key in vmode=1 eagle=0 exact_draw=0 smode=0 static_refresh=0 Config=1; do
    tr -d '\r' <"$ini" | grep -qx "$key" || fail "Hu-go!.ini lacks $key: $(tr '\r\n' '  ' <"$ini")"
done
rom_dir=$(tr -d '\r' <"$ini" | sed -n 's/^rom_dir=//p')
leads_to "$rom_dir" "$H/Games/PC Engine Games" || fail "rom_dir=$rom_dir leads elsewhere"
echo "ok: rom_dir stored as $rom_dir"

step="an emulator directory whose short form another holds"
focus "$main"
menu 1 1
focus "$(window "Path - Emulators")"
keys Tab Tab ctrl+a
xdotool type --delay 30 'H:\Program Files (x86)\Hu-Go'
keys shift+Tab shift+Tab Return
gone "Path - Emulators"
leads_to "$(stored_path)" "$H/Program Files (x86)/Hu-Go" || fail "'$(stored_path)' leads elsewhere"
echo "ok: H:\Program Files (x86)\Hu-Go stored as $(stored_path)"

step="About opens and closes"
focus "$main"
menu 2 1
window "About the House Vorlanes' Frontend" >/dev/null
echo "About client area: $(client "About the House Vorlanes' Frontend")"
skips_task_bar "About the House Vorlanes' Frontend" || fail "About is in the task bar"
focus "$(window "About the House Vorlanes' Frontend")"
keys Return
gone "About the House Vorlanes' Frontend"

box() { # box [CAPTION OWNER]: a shown window with its owner's caption, not the owner: a message box
    local caption="House Vorlanes' Frontend" owner="$main"
    [ $# -eq 0 ] || { caption=$1; owner=$2; }
    xdotool search --onlyvisible --name "^$caption\$" | grep -vx "$owner" | head -n 1 || true
}
told() { # told yes|no: whether the drive's failure was told; it is dismissed then
    local id=""
    for _ in $(seq 30); do id=$(box); [ -n "$id" ] && break; sleep 0.1; done
    if [ "$1" = yes ]; then
        [ -n "$id" ] || fail "no message that the drive cannot be read"
        # Its short text alone would leave it 220 px wide, its caption cut.
        local width
        width=$(xwininfo -id "$id" | awk '/Width:/{print $2}')
        [ "$width" -ge 270 ] || fail "the message is $width px wide: its caption is cut"
        focus "$id"
        keys Return
        for _ in $(seq 50); do [ -z "$(box)" ] && break; sleep 0.1; done
        focus "$main"
    else
        [ -z "$id" ] || fail "a message where none belongs"
    fi
}

step="a name Windows forbids is refused where it is typed"
stored=$(stored_path)
focus "$main"
menu 1 1
dialog=$(window "Path - Emulators")
focus "$dialog"
keys Tab Tab ctrl+a
xdotool type --delay 30 'H:\Hu<Go'
keys shift+Tab shift+Tab Return
refusal=""
for _ in $(seq 30); do refusal=$(box "Path - Emulators" "$dialog"); [ -n "$refusal" ] && break; sleep 0.1; done
[ -n "$refusal" ] || fail "no word on a name with \"<\""
focus "$refusal"
keys Return
focus "$dialog"
keys Tab Return # Annuler
gone "Path - Emulators"
[ "$(stored_path)" = "$stored" ] || fail "'$(stored_path)' was stored"

step="Esc cancels the dropped-down drive list"
focus "$main"
# A click in the middle of the directory list, then back to the drive list.
# The pointer goes away, so as to highlight nothing in the list dropped down.
xdotool mousemove --window "$main" 112 205 click 1 mousemove 700 600
sleep 0.3
keys shift+Tab alt+Down Down Escape # i: highlighted, then cancelled: nothing is chosen
told no

step="arrows step over every unreadable drive"
keys Down             # i:, told, back to h:
told yes
keys Down             # over i: to j:, told, back to h:
told yes
keys Down             # over both to k:
told no

step="type-ahead by prefix"
rm -f "$record"
keys Tab Tab          # Dir, File
xdotool type --delay 40 "Game 45"
keys Tab Return       # Go
started 'K:\Game 4500.pce' "$(stored_path)hu-go!.exe \"K:\\\\\\Game 4500.pce\""

step="every row of the lists read from outside, as a screen reader does"
heard=$(wine64 "$reader" 2>&1 | tr -d '\r') || fail "the lists could not be read: $heard"
expected=$(printf '%s\n' "Dir	k:\\" "File	Game 1.pce" "File	Game 4.pce" "File	Game 4500.pce" \
    "File	Game 5.pce")
[ "$(grep -v '^Drive' <<<"$heard")" = "$expected" ] || fail "heard: $heard"
for drive in c h i j k l z; do
    grep -q "^Drive	$drive:" <<<"$heard" || fail "the drive $drive: was not heard: $heard"
done
grep -qx "Drive	c: \[SYSTEM\]" <<<"$heard" || fail "c: was heard without its label: $heard"
echo "ok: every row heard"

step="an empty drive shows empty"
focus "$main"
keys shift+Tab shift+Tab shift+Tab Down # from Go to Drive, then l:
told no

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
