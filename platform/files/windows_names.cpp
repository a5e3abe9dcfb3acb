// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/windows_names.h"
#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

bool IsDeviceName(std::string_view name) {
    std::string base = AsciiUpperOf(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") {
        return true;
    }
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

std::string WhyNotAWindowsName(std::string_view name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32) {
            return "holds a character Windows forbids in names (a control character)";
        }
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return std::string("holds a character Windows forbids in names (\"") + c + "\")";
        }
    }
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        return "ends in a dot or a blank, which Windows drops";
    }
    if (IsDeviceName(name)) {
        return "is a device name on Windows";
    }
    return {};
}

std::string WhyANameInThePath(std::string_view systemPath, NameRule why) {
    std::size_t at = systemPath.size() >= 2 && systemPath[1] == ':' ? 2 : 0;
    while (at < systemPath.size()) {
        const std::size_t end = std::min(systemPath.find('\\', at), systemPath.size());
        const std::string_view name = systemPath.substr(at, end - at);
        // "." and ".." lead somewhere else; they are no names of their own.
        if (!name.empty() && name != "." && name != "..") {
            if (std::string reason = why(name); !reason.empty()) {
                const std::string named(name);
                return "The name \"" + named + "\" " + reason +
                       ": the emulator cannot be handed it. Rename it.";
            }
        }
        at = end + 1;
    }
    return {};
}

} // namespace platform
