// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>

// The Windows error codes for what POSIX calls report.
namespace platform::winerr {

std::uint32_t FromErrno(int e);
// An open that failed: ENOENT is a missing file when its folder exists, a
// missing path otherwise.
std::uint32_t OpenError(const std::string& path, int e);
// Regular files only: a directory is refused as Windows does, and a FIFO or a
// device would block or be replaced by the rename.
std::uint32_t CheckRegular(const struct stat& st);
std::uint32_t ReadAll(int fd, std::size_t sizeHint, std::string& text);
std::uint32_t WriteAll(int fd, std::string_view data);

} // namespace platform::winerr
