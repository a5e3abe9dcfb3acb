// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/wine_bridge.h"

#include "platform/files/paths_posix.h"
#include "platform/process/cmdline_split.h"

#include <algorithm>
#include <cctype>
#include <string_view>

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
// followed by a path; empty when it names nothing that exists. `why` gets why
// Wine cannot open that path.
std::string PathArgument(const std::string& text, const PathMap& map, std::string& why) {
    const auto path = [&](const std::string& written) {
        std::string found = LongSystemPath(map, written);
        why = found.empty() ? std::string() : WhyWineCannotOpen(map, found, map.ToNative(written));
        return found;
    };
    if (IsAbsolute(text)) {
        return path(text);
    }
    if (text.empty() || text[0] != '-') {
        return {};
    }
    for (std::size_t k = 1; k < text.size(); ++k) {
        const std::string rest = text.substr(k);
        if (IsAbsolute(rest)) {
            if (std::string found = path(rest); !found.empty()) {
                return text.substr(0, k) + found;
            }
        }
        if (!std::isalnum(static_cast<unsigned char>(text[k]))) {
            break;
        }
    }
    return {};
}

bool IsUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t more = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : 9;
        if (more == 9 || b > 0xF4 || i + more >= s.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += more + 1;
    }
    return true;
}

// Names Windows keeps for devices, with any extension: "CON.pce" is the console.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (char& c : base) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") {
        return true;
    }
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

std::string WhyNotAName(const std::string& name) {
    if (!IsUtf8(name)) {
        return "holds bytes that are not UTF-8";
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            std::string why = "holds a character Windows forbids in names (";
            if (static_cast<unsigned char>(c) < 32) {
                why += "a control character";
            } else {
                why += '"';
                why += c;
                why += '"';
            }
            why += ')';
            return why;
        }
    }
    if (name.back() == '.' || name.back() == ' ') {
        return "ends in a dot or a blank, which Windows drops";
    }
    if (IsDeviceName(name)) {
        return "is a device name on Windows";
    }
    return {};
}

} // namespace

std::string WhyWineCannotOpen(const PathMap& map, const std::string& systemPath,
                              const std::string& native) {
    // Only the names below the drive's root are Windows names.
    std::string root = "/";
    for (const DriveInfo& drive : map.Drives()) {
        if (drive.letter == DriveLetterOf(systemPath)) {
            root = drive.nativeRoot;
        }
    }
    std::size_t at = native.compare(0, root.size(), root) == 0 ? root.size() : 0;
    while (at < native.size()) {
        const std::size_t end = std::min(native.find('/', at), native.size());
        const std::string name = native.substr(at, end - at);
        if (!name.empty()) {
            if (const std::string why = WhyNotAName(name); !why.empty()) {
                return "Wine cannot open " + systemPath + ": the name \"" + name + "\" " + why +
                       ".";
            }
        }
        at = end + 1;
    }
    if (systemPath.size() > 259) {
        return "Wine cannot open " + systemPath + ": the path is longer than 259 characters.";
    }
    return {};
}

std::vector<std::string> WineArguments(const std::string& line,
                                       const std::vector<CommandLinePiece>& pieces,
                                       const PathMap& map, std::vector<std::string>* reasons) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < pieces.size()) {
        std::size_t next = i + 1;
        std::string arg = pieces[i].text;
        // The longest stretch wins: "PC" may exist beside "PC Engine Collection".
        for (std::size_t j = pieces.size(); j-- > i;) {
            const std::string raw = line.substr(pieces[i].begin, pieces[j].end - pieces[i].begin);
            std::string why;
            // The blanks that end the line may end the last name too.
            std::string found = j + 1 == pieces.size() && pieces[j].end < line.size()
                                    ? PathArgument(raw + line.substr(pieces[j].end), map, why)
                                    : std::string();
            if (found.empty()) {
                found = PathArgument(raw, map, why);
            }
            if (found.empty() && i == j && raw != pieces[i].text) {
                found = PathArgument(pieces[i].text, map, why); // a quoted path
            }
            if (!found.empty()) {
                arg = found;
                next = j + 1;
                if (reasons && !why.empty()) {
                    reasons->push_back(why);
                }
                break;
            }
        }
        args.push_back(std::move(arg));
        i = next;
    }
    return args;
}

} // namespace platform
