#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Runs a Windows program under Wine, headless, in the private prefix that
# VORLANES_WINEPREFIX names (made on first use). Used by ctest as the emulator
# of the Windows test build.
set -euo pipefail
: "${VORLANES_WINEPREFIX:?set VORLANES_WINEPREFIX to the prefix to use}"
export WINEPREFIX="$VORLANES_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
# Headless, unless tools/wine-display.sh gave a display of its own.
if [ -n "${VORLANES_WINE_DISPLAY:-}" ]; then
    export DISPLAY="$VORLANES_WINE_DISPLAY"
else
    unset DISPLAY
fi
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
# One server kept alive between the many short test processes: starting it
# anew for each would cost seconds a test.
server=$(command -v wineserver || true)
[ -n "$server" ] || server=/usr/lib/wine/wineserver
# A new server also needs the prefix's services; started here with no output
# of ours, they do not hold the caller's pipes open for as long as they run.
if "$server" -p 60 </dev/null >/dev/null 2>&1; then
    "$wine" wineboot </dev/null >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
