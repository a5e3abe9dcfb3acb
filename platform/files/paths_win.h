// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What makes a file itself, whatever name leads to it.
struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool directory = false;
    bool operator==(const FileIdentity&) const = default;
};
// Of the file or directory a path leads to; nothing when it leads nowhere.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The system's own short form of an existing path ("C:\PROGRA~2\Hu-Go"), in the
// code page; the long path itself on a volume that keeps no short names; empty
// when there is none or the code page cannot spell it.
std::string SystemShortName(const std::string& path);

} // namespace platform
