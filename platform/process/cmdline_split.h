// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// One argument of a split command line and where it stood in the line: the
// characters from `begin` up to (not including) `end`, quotes and all.
struct CommandLinePiece {
    std::string text;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Splits one command line the way Windows programs split theirs: the program
// name runs to the first blank unless quoted; the arguments follow the rules of
// CommandLineToArgvW (quotes group, backslashes are literal except before a quote).
std::vector<std::string> SplitCommandLine(const std::string& line);

// The program name at the start of the line, with its place.
CommandLinePiece ProgramPiece(const std::string& line);

// The arguments that follow the program name when it ends at `programEnd`.
std::vector<CommandLinePiece> SplitArgumentPieces(const std::string& line, std::size_t programEnd);

} // namespace platform
