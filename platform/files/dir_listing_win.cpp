// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"

#include <windows.h>

namespace platform {

Listing ListDirectory(const std::string& systemPath) {
    Listing listing;
    std::string mask = systemPath;
    if (mask.empty() || mask.back() != '\\') {
        mask += '\\';
    }
    mask += '*';
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(mask.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        char text[512] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, sizeof text, nullptr);
        listing.ok = false;
        listing.error = text;
        // The system ends its text with a line break; the message that shows
        // it has its own layout.
        while (!listing.error.empty() &&
               (listing.error.back() == '\n' || listing.error.back() == '\r')) {
            listing.error.pop_back();
        }
        return listing;
    }
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == ".." ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            continue;
        }
        listing.entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return listing;
}

} // namespace platform
