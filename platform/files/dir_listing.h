// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct DirEntry {
    std::string name; // exact bytes, never decoded
    bool isDirectory = false;
};

struct Listing {
    bool ok = true;
    std::string error; // the system's reason when the directory could not be read
    std::vector<DirEntry> entries;
    // The entries whose names the system code page cannot spell (their bytes
    // hold "?" there), by index, with the true name in UTF-8. Only Windows
    // names can be such.
    std::vector<std::pair<std::uint32_t, std::string>> trueNames;
    // When there are such names, every entry's name as the user sees it, in
    // UTF-8: the lists are in that order. Empty otherwise.
    std::vector<std::string> shownNames;
};

// The entries of a directory given as a system path, without "." and "..",
// hidden entries, or names the system's paths cannot express.
Listing ListDirectory(const std::string& systemPath);

// The same, read a part at a time: a large directory's first entries can be
// shown before the rest has been read.
class DirReader {
public:
    // Opens the directory; when it cannot be read, the listing says why.
    explicit DirReader(const std::string& systemPath);
    ~DirReader();
    DirReader(const DirReader&) = delete;
    DirReader& operator=(const DirReader&) = delete;

    // Reads up to `most` more entries, all that are left when 0: false once
    // the end has been reached (true when `most` were read, even if none is left).
    bool Read(std::size_t most = 0);
    const Listing& listing() const { return listing_; }
    Listing Take() { return std::move(listing_); }

private:
    struct Open; // the system's handle while entries remain
    Listing listing_;
    std::unique_ptr<Open> open_;
};

// Masks separated by ";" ("*.pce;*.zip"), with "*" and "?", matched regardless of case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Name order of the lists: regardless of case, then by bytes.
bool NameLess(const std::string& a, const std::string& b);

// The indexes of the entries a list shows, in name order (of the shown names,
// when the listing has them).
std::vector<std::uint32_t> MatchingFileEntries(const Listing& listing, const std::string& pattern);
std::vector<std::uint32_t> SubdirectoryEntries(const Listing& listing);
std::vector<std::string> NamesOf(const Listing& listing, const std::vector<std::uint32_t>& entries);
// Their true names where the code page cannot spell them, "" for the others;
// nothing at all when every name spells itself.
std::vector<std::string> TrueNamesOf(const Listing& listing,
                                     const std::vector<std::uint32_t>& entries);

std::vector<std::string> MatchingFiles(const Listing& listing, const std::string& pattern);
std::vector<std::string> Subdirectories(const Listing& listing);

} // namespace platform
