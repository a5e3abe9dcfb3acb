// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/shortpath.h"

std::string ShortPath(const std::string& path) {
    const std::size_t first = path.find('\\');
    if (first == std::string::npos) {
        return path; // not a directory path; nothing to shorten
    }
    std::string result = path.substr(0, first + 1);
    std::size_t last = first;
    for (std::size_t j = first + 1; j < path.size(); ++j) {
        if (path[j] != '\\') {
            continue;
        }
        const std::size_t n = j - last - 1;
        if (n > 8) {
            result.append(path, last + 1, 6);
            result += "~1\\";
        } else {
            result.append(path, last + 1, j - last);
        }
        last = j;
    }
    return result;
}
