#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Starts the program; without a display, on a virtual one with a small window
# manager, and saves a screenshot of the main window in its frame once it is up.
set -euo pipefail
build=${1:-build-release}
program="$build/vorlanes"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

source "$(dirname "$0")/xvfb.sh"
# Qt warns without a runtime folder, which a bare console login lacks.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    runtime=$XDG_RUNTIME_DIR
fi
start_xvfb 1280x800x24
xvfb=$xvfb_pid
pid=""
wm=""
# Ctrl+C reaches the whole process group at once; an X server that went first
# leaves its clients complaining. Its own session spares it (and the window
# manager), so the end goes in order: program, window manager, display.
stop() {
    local p
    for p in "$@"; do
        [ -n "$p" ] || continue
        kill "$p" 2>/dev/null || true
        wait "$p" 2>/dev/null || true
    done
}
trap 'stop "$pid" "$wm" "$xvfb"; rm -rf "${wmconfig:-}" "${runtime:-}"' EXIT
trap 'exit 0' INT TERM # stopping it is the normal end

# A private settings folder keeps the window manager off the user's own.
wmconfig=$(mktemp -d)
ICEWM_PRIVCFG=$wmconfig setsid icewm >/dev/null 2>&1 &
wm=$!
setsid "$program" &
pid=$!
if window=$(timeout 60 xdotool search --sync --onlyvisible --name "^House Vorlanes' Frontend\$" 2>/dev/null | head -n 1); then
    # The frame is the window manager's window that holds ours: the last
    # ancestor below the root.
    frame=$window
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    while parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id:/ { print $4 }') &&
        [ -n "$parent" ] && [ "$((parent))" -ne "$((root))" ]; do
        frame=$parent
    done
    sleep 1 # let the window manager draw the frame
    import -window "$frame" "$build/screenshot.png"
    echo "The program runs on the virtual display $DISPLAY; a screenshot is in $build/screenshot.png."
    echo "Press Ctrl+C to stop it."
fi
wait "$pid"
