# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Sourced by the scripts that need a virtual display.
# start_xvfb [SCREEN]: starts Xvfb on a free display, exports DISPLAY and sets xvfb_pid.
start_xvfb() {
    local numberFile
    numberFile=$(mktemp)
    # Its own session: a Ctrl+C meant for the script does not end the display first.
    setsid Xvfb -displayfd 5 -screen 0 "${1:-1024x768x24}" -nolisten tcp 5>"$numberFile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$numberFile" ]; then
            export DISPLAY=":$(head -n 1 "$numberFile")"
            rm -f "$numberFile"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    rm -f "$numberFile"
    echo "Xvfb did not start" >&2
    return 1
}
