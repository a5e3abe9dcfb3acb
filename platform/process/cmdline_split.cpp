// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/cmdline_split.h"

namespace platform {
namespace {
bool Blank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    if (n == 0) {
        return args;
    }
    // The program name: no backslash rules, a quote only groups.
    std::string program;
    if (line[0] == '"') {
        i = 1;
        while (i < n && line[i] != '"') {
            program += line[i++];
        }
        if (i < n) {
            ++i;
        }
    } else {
        while (i < n && !Blank(line[i])) {
            program += line[i++];
        }
    }
    args.push_back(program);

    while (true) {
        while (i < n && Blank(line[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !Blank(line[i]))) {
            if (line[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (line[i] == '"') {
                ++i;
                if (quoted && i < n && line[i] == '"') {
                    arg += '"'; // "" inside quotes is one literal quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else {
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

} // namespace platform
