#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# install-deps.sh WHAT PACKAGES...: installs the Debian packages that are not
# installed yet, after saying what they are for and what they take.
set -euo pipefail
what=$1
shift
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if ! command -v apt-get >/dev/null 2>&1; then
    echo "This system has no apt-get. For $what, please install these packages (or their equivalents) by hand:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
        echo "Need root to install, for $what: ${missing[*]} (no sudo found)" >&2; exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
echo "For $what, installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
# Not quiet: apt-get lists what comes along and the sizes before it installs.
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
