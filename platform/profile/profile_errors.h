// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>

// Windows system error codes that the profile functions report, and their
// English message texts.
namespace platform::winerr {

inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kTooManyOpenFiles = 4;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kNotEnoughMemory = 8;
inline constexpr std::uint32_t kNotSameDevice = 17;
inline constexpr std::uint32_t kWriteProtect = 19;
inline constexpr std::uint32_t kGenFailure = 31;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kInvalidParameter = 87;
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kInsufficientBuffer = 122;
inline constexpr std::uint32_t kInvalidName = 123;
inline constexpr std::uint32_t kFilenameTooLong = 206;
inline constexpr std::uint32_t kFileTooLarge = 223;
inline constexpr std::uint32_t kMoreData = 234;
inline constexpr std::uint32_t kMessageNotFound = 317;
inline constexpr std::uint32_t kIoDevice = 1117;
inline constexpr std::uint32_t kCantResolveFilename = 1921;
inline constexpr std::uint32_t kLanguageNotFound = 1815;
// Our own (bit 29 marks a code as an application's): a file that can only be
// rewritten in place has no trusted directory to keep its old content in.
inline constexpr std::uint32_t kNoPlaceForOldContent = 0x20000001;

// The system's text for a code, ending in CR LF; nullptr when it has none.
const char* MessageText(std::uint32_t code);

} // namespace platform::winerr
