// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"

#include <algorithm>

namespace platform {
namespace {

unsigned char Fold(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

bool MatchMask(const char* name, const char* nameEnd, const char* mask, const char* maskEnd) {
    // Iterative glob with one backtrack point: linear enough for file names.
    const char* starMask = nullptr;
    const char* starName = nullptr;
    while (name != nameEnd) {
        if (mask != maskEnd && *mask == '*') {
            starMask = ++mask;
            starName = name;
        } else if (mask != maskEnd && (*mask == '?' || Fold(*mask) == Fold(*name))) {
            ++mask;
            ++name;
        } else if (starMask) {
            mask = starMask;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (mask != maskEnd && *mask == '*') {
        ++mask;
    }
    return mask == maskEnd;
}

} // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) {
            end = pattern.size();
        }
        if (end > start && MatchMask(name.data(), name.data() + name.size(), pattern.data() + start,
                                     pattern.data() + end)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool NameLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return Fold(a[i]) < Fold(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

std::vector<std::string> MatchingFiles(const Listing& listing, const std::string& pattern) {
    std::vector<std::string> names;
    for (const DirEntry& e : listing.entries) {
        if (!e.isDirectory && MatchesPattern(e.name, pattern)) {
            names.push_back(e.name);
        }
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

std::vector<std::string> Subdirectories(const Listing& listing) {
    std::vector<std::string> names;
    for (const DirEntry& e : listing.entries) {
        if (e.isDirectory) {
            names.push_back(e.name);
        }
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

} // namespace platform
