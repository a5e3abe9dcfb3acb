// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"
#include "platform/process/cmdline_split.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The arguments a Windows program started through Wine receives for the command
// line `line`, split after its program name as `args`. Wine joins its arguments
// with single blanks and knows no "~1" names, so every stretch of the line that
// reads as an existing file or directory (across blanks, after an option prefix
// such as "-i") becomes one argument holding its long system path; the rest is
// split as Windows splits it.
// `reasons`, when given, gets for each path handed over why Wine cannot open
// it, or why it is not known which path a short form in it means; nothing when
// neither.
std::vector<std::string> WineArguments(const std::string& line,
                                       const std::vector<CommandLinePiece>& args,
                                       const PathMap& map,
                                       std::vector<std::string>* reasons = nullptr);

// Why a Windows program under Wine cannot open the existing file or directory
// at `native`, named `systemPath`: a name with a character Windows forbids or
// with bytes that are not UTF-8, a device name such as CON, a name ending in a
// dot or blank (Windows drops them), or a path over 259 characters. Empty
// when it can.
std::string WhyWineCannotOpen(const PathMap& map, const std::string& systemPath,
                              const std::string& native);

} // namespace platform
