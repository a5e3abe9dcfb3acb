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
std::vector<std::string> WineArguments(const std::string& line,
                                       const std::vector<CommandLinePiece>& args,
                                       const PathMap& map);

} // namespace platform
