// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"
#include "platform/ascii_case.h"

#include <cctype>

namespace platform {

char DriveLetterOf(const std::string& systemPath) {
    if (systemPath.size() >= 2 && systemPath[1] == ':' &&
        std::isalpha(static_cast<unsigned char>(systemPath[0]))) {
        return AsciiUpper(systemPath[0]);
    }
    return 0;
}

std::string DirectoryPart(const std::string& fileName) {
    const std::size_t last = fileName.rfind('\\');
    return last == std::string::npos ? std::string() : fileName.substr(0, last + 1);
}

} // namespace platform
