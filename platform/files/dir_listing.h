// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
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
};

// The entries of a directory given as a system path, without "." and "..",
// hidden entries, or names the system's paths cannot express.
Listing ListDirectory(const std::string& systemPath);

// Masks separated by ";" ("*.pce;*.zip"), with "*" and "?", matched regardless of case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

// Name order of the lists: regardless of case, then by bytes.
bool NameLess(const std::string& a, const std::string& b);

std::vector<std::string> MatchingFiles(const Listing& listing, const std::string& pattern);
std::vector<std::string> Subdirectories(const Listing& listing);

} // namespace platform
