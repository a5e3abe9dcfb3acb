#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# The whole program as a person uses it: the real binary on a virtual X display,
# driven by real key and mouse events, with a stand-in emulator that records the
# arguments it receives. Usage: e2e.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail
program=$(readlink -f "$1")
shots=$(readlink -f "${2:-.}")
here=$(dirname "$(readlink -f "$0")")
mkdir -p "$shots"

work=$(mktemp -d /tmp/vle2eXXX) # 8 characters: stays whole in short form
base="Z:${work//\//\\}"
xvfb="" wm="" pid="" bus=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$bus" ] && kill "$bus" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

shot_name=e2e-failure.png
source "$(dirname "$0")/e2e_lib.sh"

emulator="$work/Emulator Directory"
mkdir -p "$emulator" "$work/roms/Game Collection"
# It records its arguments, and the first line of each that opens as a file.
cat > "$emulator/hu-go!.exe" <<SCRIPT
#!/bin/sh
for a in "\$@"; do printf '%s\n' "\$a"; done > "$work/args.tmp"
for a in "\$@"; do [ -f "\$a" ] && printf '%s\n' "\$a" "\$(head -n 1 "\$a")"; done > "$work/read.txt"
mv "$work/args.tmp" "$work/args.txt"
SCRIPT
chmod +x "$emulator/hu-go!.exe"
touch "$work/roms/Game Collection/A long image name.pce" "$work/roms/short.zip"
printf '; written by the emulator\r\n[Main]\r\nvmode=0\r\nlanguage=0\r\nrom_dir=C:\\ROMS\\\r\neagle=0\r\nexact_draw=1\r\nsmode=-1\r\nstatic_refresh=0\r\nconfig=0\r\nfullscreen=1\r\n\r\n[Other]\r\nkey=value\r\n' > "$emulator/Hu-go!.ini"
cp "$emulator/Hu-go!.ini" "$work/ini.before"

start_display

press() { # press N KEY: the same key N times
    local n=$1 key=$2 list=()
    for _ in $(seq "$n"); do list+=("$key"); done
    keys "${list[@]}"
}
at() { xdotool mousemove --window "$main" "$1" "$2" click 1; } # a click in the main window
in_task_bar() { # whether the window gets a task-bar button: unless it asks to be left out
    ! xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR
}
resizable() { # whether the window manager is offered to resize it (Motif's function bit 2)
    local hints
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= *//p' | tr -d ' ')
    [ -z "$hints" ] || (($(cut -d, -f2 <<<"$hints") & 3))
}

# A session bus of the run's own with the accessibility bus on it, which the
# program then joins as it does on a desktop with a screen reader running.
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    { read -r address; read -r id; echo "export DBUS_SESSION_BUS_ADDRESS=$address; bus=$id"; })"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 0.5
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

cd "$work/roms"
"$program" &
pid=$!
main=$(window "House Vorlanes' Frontend")
sleep 0.5

step="every row of the lists read from outside, as a screen reader does"
heard=$(timeout 60 "$here/atspi_read.py" "$pid" 2>&1) || fail "the lists could not be read: $heard"
expected=$(printf 'Dir\t%s\n' 'z:\' tmp "${work##*/}" roms "Game Collection"; printf 'File\tshort.zip')
[ "$(grep -v '^Drive' <<<"$heard")" = "$expected" ] || fail "heard: $heard"
grep -qx 'Drive	z: \[/\]' <<<"$heard" || fail "the drive z: was not heard: $heard"
echo "ok: every row heard"
step="start"
in_task_bar "$main" || fail "the main window is left out of the task bar"

step="1: store the emulator's directory"
menu 1 1
path=$(window "Path - Emulators")
in_task_bar "$path" && fail "Path - Emulators has a task-bar button"
focus "$path"
keys shift+Tab Return # Browse, before OK: the open-file dialog
sleep 1
open=$(xdotool getactivewindow)
[ "$open" != "$path" ] || fail "no open-file dialog"
in_task_bar "$open" && fail "the open-file dialog has a task-bar button"
keys Escape
focus "$path"
keys Tab # OK again
keys Tab Tab ctrl+a
xdotool type --delay 20 "$base\\Emulator Directory"
keys shift+Tab shift+Tab Return
gone "Path - Emulators"
expected="$base\\Emulat~1\\"
grep -qF "Path=${expected//\\/\\\\}" "$XDG_CONFIG_HOME/Vorlanes.conf" ||
    fail "the setting holds $(grep Path "$XDG_CONFIG_HOME/Vorlanes.conf" || echo nothing), not $expected"
[ "$(stat -c %a "$XDG_CONFIG_HOME/Vorlanes.conf")" = 600 ] || fail "the setting is not private"

step="2: launch an image"
focus "$main"
at 100 200
keys End Return Tab Home space Tab space
for _ in $(seq 100); do [ -e "$work/args.txt" ] && break || sleep 0.1; done
printf '%s\n' "$base\\roms\\Game" 'C~1\\A' long image name.pce > "$work/args.expected"
diff "$work/args.expected" "$work/args.txt" >&2 || fail "the emulator received other arguments"
# A program of this system is handed the line as written, Windows paths that it cannot open.
[ ! -s "$work/read.txt" ] || fail "the emulator opened $(cat "$work/read.txt")"

step="2b: by keyboard alone"
# In the directory list: up to roms (one image) and back into Game Collection
# (one image) refills the file list, nothing selected; Tab enters it with the
# caret on its one item; a navigation key that cannot move the caret selects it.
for key in Home Down; do
    step="2b: Tab into a one-image file list, $key, Tab, Enter"
    rm -f "$work/args.txt"
    focus "$main"
    at 100 200
    keys End Up Return End Return Tab "$key" Tab Return
    for _ in $(seq 100); do [ -e "$work/args.txt" ] && break || sleep 0.1; done
    [ -e "$work/args.txt" ] || fail "Enter on Go started nothing"
    diff "$work/args.expected" "$work/args.txt" >&2 || fail "the emulator received other arguments"
done

step="3: set up the emulator"
keys Tab space # from Go to Setup
setup=$(window "Setup Hu-Go!")
in_task_bar "$setup" && fail "Setup Hu-Go! has a task-bar button"
resizable "$setup" && fail "Setup Hu-Go! is offered to the window manager as resizable"
focus "$setup"
# The focus starts on OK; Tab goes on to Annuler, the tabs, RomDir, the video
# modes and the languages (one stop each, the arrows select), the switches.
press 4 Tab && keys Down Down    # video mode 2
press 1 Tab && keys Down Down    # language 2, "Espagnol"
press 1 Tab && keys space        # Mode Eagle on
press 4 shift+Tab && keys Right  # back to the tabs: "Control"
press 1 Tab && keys Down Down    # "1 Player - Keyboard"
press 3 shift+Tab && keys Return # OK
gone "Setup Hu-Go!"
printf '; written by the emulator\r\n[Main]\r\nvmode=2\r\nlanguage=2\r\nrom_dir=C:\\ROMS\\\r\neagle=1\r\nexact_draw=1\r\nsmode=-1\r\nstatic_refresh=0\r\nconfig=2\r\nfullscreen=1\r\n\r\n[Other]\r\nkey=value\r\n' > "$work/ini.expected"
cmp "$work/ini.expected" "$emulator/Hu-go!.ini" || {
    diff <(cat -A "$work/ini.expected") <(cat -A "$emulator/Hu-go!.ini") >&2
    fail "Hu-go!.ini was not rewritten in place"
}

step="4: the about box"
focus "$main"
menu 2 1
about=$(window "About the House Vorlanes' Frontend")
in_task_bar "$about" && fail "the about box has a task-bar button"
focus "$about"
keys Return
gone "About the House Vorlanes' Frontend"

step="5: quit with a dialog open"
focus "$main"
at 55 333
setup=$(window "Setup Hu-Go!")
focus "$main"
menu 0 1
gone "House Vorlanes' Frontend"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended while a dialog was open"
focus "$setup"
keys Tab Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.1 || break; done
kill -0 "$pid" 2>/dev/null && fail "the program still runs with no window open"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "1 passed, 0 failed"
