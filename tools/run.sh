#!/usr/bin/env bash
# Starts the program; without a display, on a virtual one, with a screenshot of
# the main window saved once it is up.
set -euo pipefail
build=${1:-build}
program="$build/vorlanes"
# The build carries the sanitizers; a desktop program's exit-time leak report is noise.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1280x800x24
xvfb=$xvfb_pid
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 0' INT TERM # stopping it is the normal end

"$program" &
pid=$!
if timeout 60 xdotool search --sync --onlyvisible --name "^House Vorlanes' Frontend\$" >/dev/null 2>&1; then
    sleep 0.5
    import -window root "$build/screenshot.png"
    echo "The program runs on the virtual display $DISPLAY; a screenshot is in $build/screenshot.png."
    echo "Press Ctrl+C to stop it."
fi
wait "$pid"
