// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>

namespace platform {
namespace {

unsigned char Fold(char c) {
    return static_cast<unsigned char>(AsciiUpper(c));
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

// A pattern's masks, split once for all the names they are matched against.
class Masks {
public:
    explicit Masks(std::string_view pattern) {
        std::size_t start = 0;
        while (start <= pattern.size()) {
            const std::size_t end = std::min(pattern.find(';', start), pattern.size());
            if (end > start) {
                const std::string_view mask = pattern.substr(start, end - start);
                // "*.pce" and its like, nearly every mask there is, need no glob.
                const bool suffix = mask[0] == '*' && mask.find_first_of("*?", 1) == mask.npos;
                masks_.push_back({suffix ? mask.substr(1) : mask, suffix});
            }
            start = end + 1;
        }
    }

    bool Match(std::string_view name) const {
        for (const Mask& m : masks_) {
            if (m.suffix ? EndsWithFolded(name, m.text)
                         : MatchMask(name.data(), name.data() + name.size(), m.text.data(),
                                     m.text.data() + m.text.size())) {
                return true;
            }
        }
        return false;
    }

private:
    struct Mask {
        std::string_view text; // for a suffix mask, what follows its "*"
        bool suffix;
    };

    static bool EndsWithFolded(std::string_view name, std::string_view tail) {
        if (name.size() < tail.size()) {
            return false;
        }
        const char* n = name.data() + (name.size() - tail.size());
        for (const char c : tail) {
            if (Fold(c) != Fold(*n++)) {
                return false;
            }
        }
        return true;
    }

    std::vector<Mask> masks_;
};

} // namespace

Listing ListDirectory(const std::string& systemPath) {
    DirReader reader(systemPath);
    reader.Read();
    return reader.Take();
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    return Masks(pattern).Match(name);
}

namespace {

// NameLess for names that agree, folded, on their first `from` bytes.
bool NameLessFrom(const std::string& a, const std::string& b, std::size_t from) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = from; i < n; ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return Fold(a[i]) < Fold(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

} // namespace

bool NameLess(const std::string& a, const std::string& b) {
    return NameLessFrom(a, b, 0);
}

namespace {

// Sorts the names at order[first, last), which agree, folded, on their first
// `depth` bytes, into name order by their next byte. Each name's bytes are
// looked at about once, so a listing's cost per name does not grow with its
// size as a comparison sort's does.
template <class Names>
void RadixSort(const Names& names, std::uint32_t* first, std::uint32_t* last, std::size_t depth,
               std::uint32_t* scratch) {
    const auto n = static_cast<std::size_t>(last - first);
    if (n < 32) { // a handful: buckets would cost more than comparing
        std::sort(first, last, [&](std::uint32_t a, std::uint32_t b) {
            return NameLessFrom(names(a), names(b), depth);
        });
        return;
    }
    // Bucket 0 holds the names that end here; 1 + b those whose next byte folds to b.
    const auto bucket = [&](std::uint32_t i) -> std::size_t {
        const std::string& name = names(i);
        return depth < name.size() ? Fold(name[depth]) + 1u : 0u;
    };
    std::size_t start[258] = {};
    for (const std::uint32_t* p = first; p != last; ++p) {
        ++start[bucket(*p) + 1];
    }
    std::partial_sum(start, start + 258, start);
    // A byte that all of them share orders nothing ("entry 0001", "entry 0002").
    for (std::size_t b = 1; b < 257; ++b) {
        if (start[b + 1] - start[b] == n) {
            RadixSort(names, first, last, depth + 1, scratch);
            return;
        }
    }
    std::size_t next[257];
    std::copy(start, start + 257, next);
    for (const std::uint32_t* p = first; p != last; ++p) {
        scratch[next[bucket(*p)]++] = *p;
    }
    std::copy(scratch, scratch + n, first);
    // The names that end here are the same folded: their bytes decide.
    std::sort(first, first + start[1],
              [&](std::uint32_t a, std::uint32_t b) { return names(a) < names(b); });
    for (std::size_t b = 1; b < 257; ++b) {
        if (start[b + 1] - start[b] > 1) {
            RadixSort(names, first + start[b], first + start[b + 1], depth + 1, scratch);
        }
    }
}

// The indexes of the entries kept, in the order of the names as shown.
template <class Keep> std::vector<std::uint32_t> InNameOrder(const Listing& listing, Keep keep) {
    const std::vector<DirEntry>& entries = listing.entries;
    std::vector<std::uint32_t> order;
    order.reserve(entries.size());
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        if (keep(entries[i])) {
            order.push_back(i);
        }
    }
    std::vector<std::uint32_t> scratch(order.size());
    const auto sort = [&](const auto& names) {
        RadixSort(names, order.data(), order.data() + order.size(), 0, scratch.data());
    };
    if (listing.shownNames.empty()) {
        sort([&](std::uint32_t i) -> const std::string& { return entries[i].name; });
    } else {
        sort([&](std::uint32_t i) -> const std::string& { return listing.shownNames[i]; });
    }
    return order;
}

} // namespace

std::vector<std::uint32_t> MatchingFileEntries(const Listing& listing, const std::string& pattern) {
    const Masks masks(pattern);
    return InNameOrder(listing,
                       [&](const DirEntry& e) { return !e.isDirectory && masks.Match(e.name); });
}

std::vector<std::uint32_t> SubdirectoryEntries(const Listing& listing) {
    return InNameOrder(listing, [](const DirEntry& e) { return e.isDirectory; });
}

// Each name copied once, into its place.
std::vector<std::string> NamesOf(const Listing& listing,
                                 const std::vector<std::uint32_t>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const std::uint32_t i : entries) {
        names.push_back(listing.entries[i].name);
    }
    return names;
}

std::vector<std::string> TrueNamesOf(const Listing& listing,
                                     const std::vector<std::uint32_t>& entries) {
    std::vector<std::string> names;
    if (listing.trueNames.empty()) {
        return names;
    }
    names.resize(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const auto found =
            std::lower_bound(listing.trueNames.begin(), listing.trueNames.end(), entries[row],
                             [](const std::pair<std::uint32_t, std::string>& t, std::uint32_t i) {
                                 return t.first < i;
                             });
        if (found != listing.trueNames.end() && found->first == entries[row]) {
            names[row] = found->second;
        }
    }
    return names;
}

std::vector<std::string> MatchingFiles(const Listing& listing, const std::string& pattern) {
    return NamesOf(listing, MatchingFileEntries(listing, pattern));
}

std::vector<std::string> Subdirectories(const Listing& listing) {
    return NamesOf(listing, SubdirectoryEntries(listing));
}

} // namespace platform
