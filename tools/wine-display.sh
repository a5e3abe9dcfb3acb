#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Runs a Windows program that opens windows under Wine, in the private prefix
# that VORLANES_WINEPREFIX names, on a virtual X display kept for that prefix:
# Wine makes no window without a display. tools/stop-wine.sh ends the display.
set -euo pipefail
: "${VORLANES_WINEPREFIX:?set VORLANES_WINEPREFIX to the prefix to use}"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$(dirname "$VORLANES_WINEPREFIX")"
state="$VORLANES_WINEPREFIX.display"
exec 9>"$state.lock"
flock 9
display=$(cat "$state" 2>/dev/null || true)
if [ -z "$display" ] || ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    source "$here/xvfb.sh"
    start_xvfb 9>&- # the display must not hold the lock
    echo "$DISPLAY" >"$state"
    echo "$xvfb_pid" >"$VORLANES_WINEPREFIX.xvfb"
    display=$DISPLAY
fi
flock -u 9
export VORLANES_WINE_DISPLAY="$display"
exec "$here/wine-run.sh" "$@"
