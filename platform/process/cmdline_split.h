// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <vector>

namespace platform {

// Splits one command line the way Windows programs split theirs: the program
// name runs to the first blank unless quoted; the arguments follow the rules of
// CommandLineToArgvW (quotes group, backslashes are literal except before a quote).
std::vector<std::string> SplitCommandLine(const std::string& line);

} // namespace platform
