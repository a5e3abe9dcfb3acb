// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "support/temp_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

// Stops on a broken property, naming it, so that libFuzzer keeps the input.
inline void FuzzCheck(bool ok, const char* target, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", target, what);
        std::abort();
    }
}

// Where a fuzz target keeps its files. libFuzzer may end without running
// destructors, so tools/fuzz.sh names a directory; a replay by ctest gets one
// that goes when it ends.
inline const std::filesystem::path& FuzzScratch() {
    static const std::filesystem::path dir = [] {
        if (const char* given = std::getenv("VORLANES_FUZZ_DIR"))
            return std::filesystem::path(given);
        static const TempDir scratch;
        return scratch.path();
    }();
    return dir;
}
