#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
#
# Every source file opens with the licence and copyright lines.
#   tools/spdx.sh          adds them where they are missing
#   tools/spdx.sh --check  lists the files without them and fails if there are any
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
spdx='SPDX-License-Identifier: GPL-3.0-or-later'
copyright='Copyright (C) 2026 House Vorlanes'

# The comment that each kind of file takes.
style() {
    case "$1" in
    *.cpp | *.h | *.h.in | *.rc.in) echo '//' ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | Makefile | .ci/run | *.desktop) echo '#' ;;
    *.6) echo '.\"' ;;
    *.svg | *.xml.in) echo 'xml' ;;
    *) echo '' ;;
    esac
}

sources() {
    find . \( -path ./.git -o -path './build*' -o -name 'fuzz_corpus' -o -name '*.fuzz_corpus' \
        -o -path ./docs \) -prune -o -type f -print | sed 's|^\./||' | sort
}

missing=0
while IFS= read -r file; do
    kind=$(style "$file")
    [ -n "$kind" ] || continue
    if head -n 4 "$file" | grep -qF "$spdx"; then
        continue
    fi
    if [ "${1:-}" = --check ]; then
        echo "no licence line: $file"
        missing=$((missing + 1))
        continue
    fi
    tmp=$(mktemp)
    if [ "$kind" = xml ]; then
        # After the XML declaration, which must stay first.
        awk -v s="$spdx" -v c="$copyright" \
            'NR == 1 && /^<\?xml/ { print; print "<!-- " s " -->"; print "<!-- " c " -->"; next }
             NR == 1 { print "<!-- " s " -->"; print "<!-- " c " -->" } { print }' "$file" >"$tmp"
    else
        # After a #! line, which must stay first.
        # The prefix through the environment: awk -v would read '\"' as an escape.
        P="$kind" S="$spdx" C="$copyright" awk \
            'BEGIN { p = ENVIRON["P"]; s = ENVIRON["S"]; c = ENVIRON["C"] }
             NR == 1 && /^#!/ { print; print p " " s; print p " " c; next }
             NR == 1 { print p " " s; print p " " c } { print }' "$file" >"$tmp"
    fi
    cat "$tmp" >"$file" # keeps the file's mode
    rm -f "$tmp"
done < <(sources)

if [ "${1:-}" = --check ] && [ "$missing" -gt 0 ]; then
    echo "$missing source files lack the licence lines; tools/spdx.sh adds them"
    exit 1
fi
