// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

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

namespace {

// Sorts the names at order[first, last), which agree, folded, on their first
// `depth` bytes, into name order by their next byte. Each name's bytes are
// looked at about once, so a listing's cost per name does not grow with its
// size as a comparison sort's does.
void RadixSort(const std::vector<std::string>& names, std::uint32_t* first, std::uint32_t* last,
               std::size_t depth, std::uint32_t* scratch) {
    const auto n = static_cast<std::size_t>(last - first);
    if (n < 32) { // a handful: buckets would cost more than comparing
        std::sort(first, last,
                  [&](std::uint32_t a, std::uint32_t b) { return NameLess(names[a], names[b]); });
        return;
    }
    // Bucket 0 holds the names that end here; 1 + b those whose next byte folds to b.
    const auto bucket = [&](std::uint32_t i) -> std::size_t {
        const std::string& name = names[i];
        return depth < name.size() ? Fold(name[depth]) + 1u : 0u;
    };
    std::size_t start[258] = {};
    for (const std::uint32_t* p = first; p != last; ++p) {
        ++start[bucket(*p) + 1];
    }
    std::partial_sum(start, start + 258, start);
    std::size_t next[257];
    std::copy(start, start + 257, next);
    for (const std::uint32_t* p = first; p != last; ++p) {
        scratch[next[bucket(*p)]++] = *p;
    }
    std::copy(scratch, scratch + n, first);
    // The names that end here are the same folded: their bytes decide.
    std::sort(first, first + start[1],
              [&](std::uint32_t a, std::uint32_t b) { return names[a] < names[b]; });
    for (std::size_t b = 1; b < 257; ++b) {
        if (start[b + 1] - start[b] > 1) {
            RadixSort(names, first + start[b], first + start[b + 1], depth + 1, scratch);
        }
    }
}

std::vector<std::string> InNameOrder(std::vector<std::string> names) {
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::vector<std::uint32_t> scratch(names.size());
    RadixSort(names, order.data(), order.data() + order.size(), 0, scratch.data());
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t i : order) {
        sorted.push_back(std::move(names[i]));
    }
    return sorted;
}

} // namespace

std::vector<std::string> MatchingFiles(const Listing& listing, const std::string& pattern) {
    std::vector<std::string> names;
    for (const DirEntry& e : listing.entries) {
        if (!e.isDirectory && MatchesPattern(e.name, pattern)) {
            names.push_back(e.name);
        }
    }
    return InNameOrder(std::move(names));
}

std::vector<std::string> Subdirectories(const Listing& listing) {
    std::vector<std::string> names;
    for (const DirEntry& e : listing.entries) {
        if (e.isDirectory) {
            names.push_back(e.name);
        }
    }
    return InNameOrder(std::move(names));
}

} // namespace platform
