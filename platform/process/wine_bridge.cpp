// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/wine_bridge.h"

#include "platform/files/paths_posix.h"
#include "platform/process/cmdline_split.h"

#include <cctype>

namespace platform {
namespace {

// Only paths that name their place on their own: "H:\..." or "\...". A relative
// name would take any word that happens to match a file in our directory.
bool IsAbsolute(const std::string& text) {
    if (DriveLetterOf(text) != 0) {
        return text.size() >= 3 && text[2] == '\\';
    }
    return !text.empty() && text[0] == '\\';
}

// The long form of `text` read as a path, or as an option prefix ("-i", "-c2")
// followed by a path; empty when it names nothing that exists.
std::string PathArgument(const std::string& text, const PathMap& map) {
    if (IsAbsolute(text)) {
        return LongSystemPath(map, text);
    }
    if (text.empty() || text[0] != '-') {
        return {};
    }
    for (std::size_t k = 1; k < text.size(); ++k) {
        const std::string rest = text.substr(k);
        if (IsAbsolute(rest)) {
            if (std::string found = LongSystemPath(map, rest); !found.empty()) {
                return text.substr(0, k) + found;
            }
        }
        if (!std::isalnum(static_cast<unsigned char>(text[k]))) {
            break;
        }
    }
    return {};
}

} // namespace

std::vector<std::string> WineArguments(const std::string& line,
                                       const std::vector<CommandLinePiece>& pieces,
                                       const PathMap& map) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < pieces.size()) {
        std::size_t next = i + 1;
        std::string arg = pieces[i].text;
        // The longest stretch wins: "PC" may exist beside "PC Engine Collection".
        for (std::size_t j = pieces.size(); j-- > i;) {
            const std::string raw = line.substr(pieces[i].begin, pieces[j].end - pieces[i].begin);
            std::string found = PathArgument(raw, map);
            if (found.empty() && i == j && raw != pieces[i].text) {
                found = PathArgument(pieces[i].text, map); // a quoted path
            }
            if (!found.empty()) {
                arg = found;
                next = j + 1;
                break;
            }
        }
        args.push_back(std::move(arg));
        i = next;
    }
    return args;
}

} // namespace platform
