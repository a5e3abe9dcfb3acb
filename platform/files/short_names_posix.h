// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Names read back to the real ones in a directory: as written, regardless of
// case, or the long name a "~1" stands for.
namespace platform {

struct Walked {
    std::string native;
    std::size_t existing = 0; // how many of the names walked lead to something that exists
    // Where a short form could stand for several names that nothing tells
    // apart: each of them, as native paths.
    std::vector<std::string> ties;
};

// Walks `rest` ("a\b\c") from the native directory `base`, never above `floor`,
// resolving each name; `shortForms`: whether a "~1" name is read as the long
// name it stands for, as this program reads paths (Windows programs under
// Wine never do).
Walked Walk(const std::string& base, const std::string& rest, const std::string& floor,
            bool shortForms);

} // namespace platform
