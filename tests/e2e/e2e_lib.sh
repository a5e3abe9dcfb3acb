# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# What the end-to-end runs share, sourced once `work`, `shots` and `shot_name`
# are set: a private home for the program, a screenshot of the moment a step
# fails, and waiting for windows, keys and the menu bar.

step="start"
fail() {
    local shot="$shots/$shot_name"
    import -window root "$shot" 2>/dev/null || true
    echo "FAILED at step '$step': $*" >&2
    echo "screenshot of the moment: $shot" >&2
    exit 1
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
unset WINEPREFIX QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

start_display() { # a virtual display and a window manager; sets xvfb and wm
    source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
    start_xvfb
    xvfb=$xvfb_pid
    # A window manager with a task bar: what it is told about each window is checked.
    icewm >/dev/null 2>&1 &
    wm=$!
    sleep 1
}
window() { # waits until a window with exactly this caption is shown; prints its id
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 ||
        fail "no window \"$1\""
}
gone() { # waits until no window with this caption is shown
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window \"$1\" is still open"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
focus() { xdotool windowfocus --sync "$1"; sleep 0.2; }
menu() { # opens the main window's first menu, moves right N menus, takes item M (1-based)
    xdotool mousemove --window "$main" 20 9 click 1
    sleep 0.4
    # Opened by the mouse no item is active yet; moved to by key, its first one is.
    if [ "$1" = 0 ]; then keys Down; fi
    for _ in $(seq "$1"); do keys Right; done
    for _ in $(seq 2 "$2"); do keys Down; done
    keys Return
}
