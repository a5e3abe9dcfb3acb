// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/cmdline_split.h"

namespace platform {
namespace {
bool Blank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

std::vector<CommandLinePiece> SplitArgumentPieces(const std::string& line, std::size_t programEnd) {
    std::vector<CommandLinePiece> args;
    std::size_t i = programEnd;
    const std::size_t n = line.size();
    while (true) {
        while (i < n && Blank(line[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        CommandLinePiece arg;
        arg.begin = i;
        bool quoted = false;
        while (i < n && (quoted || !Blank(line[i]))) {
            if (line[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    arg.text.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg.text += '"';
                        ++i;
                    }
                } else {
                    arg.text.append(slashes, '\\');
                }
            } else if (line[i] == '"') {
                ++i;
                if (quoted && i < n && line[i] == '"') {
                    arg.text += '"'; // "" inside quotes is one literal quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else {
                arg.text += line[i++];
            }
        }
        arg.end = i;
        args.push_back(std::move(arg));
    }
    return args;
}

CommandLinePiece ProgramPiece(const std::string& line) {
    const std::size_t n = line.size();
    // The program name: no backslash rules, a quote only groups.
    CommandLinePiece program;
    std::size_t i = 0;
    if (n > 0 && line[0] == '"') {
        i = 1;
        while (i < n && line[i] != '"') {
            program.text += line[i++];
        }
        if (i < n) {
            ++i;
        }
    } else {
        while (i < n && !Blank(line[i])) {
            program.text += line[i++];
        }
    }
    program.end = i;
    return program;
}

std::vector<std::string> SplitCommandLine(const std::string& line) {
    if (line.empty()) {
        return {};
    }
    CommandLinePiece program = ProgramPiece(line);
    std::vector<std::string> args{std::move(program.text)};
    for (CommandLinePiece& piece : SplitArgumentPieces(line, program.end)) {
        args.push_back(std::move(piece.text));
    }
    return args;
}

} // namespace platform
