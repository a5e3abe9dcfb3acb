#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Takes the screenshots shown in the README: the real program on a virtual
# display with a small window manager, so that the windows carry their captions.
# Usage: tools/screenshots.sh [PROGRAM] [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/vorlanes}")
out=$(readlink -f "${2:-docs/screenshots}")
./tools/install-deps.sh "the screenshots" xvfb x11-utils xdotool imagemagick icewm
mkdir -p "$out"

work=$(mktemp -d /tmp/vlshotXXX)
xvfb="" wm="" pid=""
cleanup() {
    for p in $pid $wm $xvfb; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
unset WINEPREFIX QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

# A small collection and an emulator directory with its configuration.
roms="$work/PC Engine"
mkdir -p "$roms/Hudson Soft" "$roms/CD-ROM" "$work/Hu-Go"
for g in "Bonk's Adventure.pce" "Blazing Lazers.pce" "Bomberman 93.pce" "Splatterhouse.pce" \
    "Military Madness.zip" "R-Type.zip" "Ys Book I & II.iso" "Gate of Thunder.iso"; do
    touch "$roms/$g"
done
printf '[Main]\r\nvmode=3\r\nlanguage=1\r\nrom_dir=Z:%s\\\r\neagle=1\r\nexact_draw=0\r\nsmode=-1\r\nstatic_refresh=0\r\nconfig=1\r\n' \
    "$(printf '%s' "$work/PCENGI~1" | tr / '\\')" > "$work/Hu-Go/Hu-go!.ini"
printf '[HuGo]\nPath=Z:%s\\\\\n' "$(printf '%s' "$work/Hu-Go" | sed 's|/|\\\\|g')" \
    > "$XDG_CONFIG_HOME/Vorlanes.conf"

source tools/xvfb.sh
start_xvfb
xvfb=$xvfb_pid
icewm >/dev/null 2>&1 &
wm=$!
sleep 1

window() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
shoot() { sleep 0.7 && import -window "$1" -frame "$out/$2" && echo "$out/$2"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }

cd "$roms"
"$program" &
pid=$!
main=$(window "House Vorlanes' Frontend")
click "$main" 300 150 # a file, so the list shows a selection
xdotool key Home space
shoot "$main" main.png

click "$main" 55 333 # Setup
setup=$(window "Setup Hu-Go!")
shoot "$setup" setup.png
click "$setup" 100 20 # the tab "Control"
shoot "$setup" setup-control.png
xdotool key Escape # Esc does nothing: close with Annuler
click "$setup" 580 52

click "$main" 75 9 # Options
xdotool key Down Return
path=$(window "Path - Emulators")
shoot "$path" path.png
click "$path" 320 52 # Annuler

click "$main" 115 9 # ?
xdotool key Down Return
about=$(window "About the House Vorlanes' Frontend")
shoot "$about" about.png
