#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
#
# The folders stand in layers, lowest first; a file may include from its own
# layer and those below it only; only front/qt includes Qt, and only platform/
# and front/win32 include <windows.h>.
#   tools/layers.sh --check   lists every include that breaks this, and fails if any does
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(platform ini forms location config app front)

rank() {
    local i
    for i in "${!layers[@]}"; do
        [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}

bad=0
for dir in "${layers[@]}"; do
    own=$(rank "$dir")
    while IFS= read -r -d '' file; do
        while IFS= read -r line; do
            target=$(sed -E 's/^#include "([^/"]+)\/.*/\1/' <<<"$line")
            [ "$target" = "$line" ] && continue
            r=$(rank "$target")
            if [ "$r" -gt "$own" ]; then
                echo "$file includes upward: $line"
                bad=1
            fi
        done < <(grep -E '^#include "' "$file" || true)
        if [[ "$file" != front/qt/* ]] && grep -qE '^#include <Q' "$file"; then
            echo "$file includes Qt outside front/qt"
            bad=1
        fi
        if [ "$dir" != platform ] && [[ "$file" != front/win32/* ]] &&
            grep -qiE '^#include <windows\.h>' "$file"; then
            echo "$file includes <windows.h> outside platform/ and front/win32"
            bad=1
        fi
    done < <(find "$dir" \( -name '*.cpp' -o -name '*.h' \) -print0)
done
exit $bad
