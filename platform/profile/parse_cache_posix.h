// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/profile/ini_text.h"

// Reads answer from a parse kept per file while the file is provably the one
// parsed; any write of ours drops every kept parse.
namespace platform {

// A file's text as read, with the identity, size and times it had then.
// Only a kept parse has an index.
struct Parsed {
    struct stat st {};
    std::chrono::system_clock::time_point keptAt{};
    std::string text;
    std::optional<ini::SectionIndex> index;
};

// A file last changed less than this ago is parsed anew on every read: a
// change within the clock's tick could leave its times as they were.
inline constexpr std::chrono::milliseconds kSettledAfter{100};

// The same file, unchanged as far as its identity, size and times tell.
bool SameFile(const struct stat& a, const struct stat& b);
// Whether a parse of the file, read with this status at now, may answer later reads.
bool Settled(int fd, const struct stat& st, std::chrono::system_clock::time_point now);

// The parses of the last few files read; safe across threads.
class ParseCache {
public:
    // The parse of the file with this status, if it is still the one parsed.
    std::shared_ptr<const Parsed> Find(const struct stat& st) const;
    void Keep(std::shared_ptr<const Parsed> parsed) const;
    void Clear() const;

private:
    mutable std::mutex mutex_;
    mutable std::vector<std::shared_ptr<const Parsed>> parsed_; // the latest last
};

} // namespace platform
