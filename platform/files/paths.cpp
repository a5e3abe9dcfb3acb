// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"

#include <cctype>

namespace platform {

char DriveLetterOf(const std::string& systemPath) {
    if (systemPath.size() >= 2 && systemPath[1] == ':' &&
        std::isalpha(static_cast<unsigned char>(systemPath[0]))) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(systemPath[0])));
    }
    return 0;
}

} // namespace platform
