#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Ends the Wine servers, and with them the prefix's services, that the tests
# kept alive in the private prefixes below the given build folders: they do
# not end by themselves while a service still runs.
server=$(command -v wineserver || true)
[ -n "$server" ] || server=/usr/lib/wine/wineserver
[ -x "$server" ] || exit 0
for build in "$@"; do
    for prefix in "$build"/wineprefix* "$build"/windows/wineprefix*; do
        [ -d "$prefix" ] && WINEPREFIX=$(cd "$prefix" && pwd) "$server" -k 2>/dev/null
        # and the virtual display that tools/wine-display.sh kept for it
        if [ -f "$prefix.xvfb" ]; then
            kill "$(cat "$prefix.xvfb")" 2>/dev/null
            rm -f "$prefix.xvfb" "$prefix.display"
        fi
    done
done
exit 0
