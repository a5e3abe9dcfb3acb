// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
// What the lists are measured against: readdir, the same case-insensitive match
// of the three image masks, and a case-insensitive sort.
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <vector>

inline bool IsImage(const char* name) {
    const std::size_t n = std::strlen(name);
    if (n < 4) {
        return false;
    }
    const char* ext = name + n - 4;
    return strcasecmp(ext, ".pce") == 0 || strcasecmp(ext, ".zip") == 0 ||
           strcasecmp(ext, ".iso") == 0;
}

inline std::vector<std::string> BareScan(const std::string& native, bool subdirectories) {
    std::vector<std::string> names;
    DIR* dir = opendir(native.c_str());
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') {
            continue;
        }
        if (subdirectories ? e->d_type == DT_DIR : (e->d_type != DT_DIR && IsImage(e->d_name))) {
            names.emplace_back(e->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}
