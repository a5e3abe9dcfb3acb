// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"

namespace platform {

Listing ListDirectory(const std::string& systemPath) {
    Listing listing;
    // Nothing below it could be handed to the emulator: say so where it is chosen.
    if (std::string why = PathMap::System().WhyEmulatorCannotBeHanded(systemPath); !why.empty()) {
        listing.ok = false;
        listing.error = std::move(why);
        return listing;
    }
    std::wstring mask = WideFromCodePage(systemPath);
    if (mask.empty() || mask.back() != L'\\') {
        mask += L'\\';
    }
    mask += L'*';
    // The wide listing, so that a name the code page cannot spell is known as such.
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(mask.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        // A drive's root has no "." or "..": empty, it has nothing to find.
        const DWORD error = GetLastError();
        mask.pop_back();
        const DWORD attributes = GetFileAttributesW(mask.c_str());
        if (error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return listing;
        }
        SetLastError(error);
        listing.ok = false;
        listing.error = SystemReason(GetLastError());
        return listing;
    }
    do {
        const std::wstring_view wide = data.cFileName;
        if (wide == L"." || wide == L".." ||
            (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            continue;
        }
        bool lossy = false;
        listing.entries.push_back({CodePageFromWide(wide, &lossy),
                                   (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        if (lossy) {
            listing.trueNames.emplace_back(static_cast<std::uint32_t>(listing.entries.size() - 1),
                                           Utf8FromWide(wide));
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    // Only then: the others, in the code page, order alike as they are.
    if (!listing.trueNames.empty()) {
        listing.shownNames.reserve(listing.entries.size());
        for (const DirEntry& entry : listing.entries) {
            listing.shownNames.push_back(Utf8FromWide(WideFromCodePage(entry.name)));
        }
        for (const auto& [entry, trueName] : listing.trueNames) {
            listing.shownNames[entry] = trueName;
        }
    }
    return listing;
}

} // namespace platform
