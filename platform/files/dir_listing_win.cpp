// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"

namespace platform {

struct DirReader::Open {
    HANDLE find;
    WIN32_FIND_DATAW data; // the entry found, not yet taken
};

DirReader::DirReader(const std::string& systemPath) {
    // Nothing below it could be handed to the emulator: say so where it is chosen.
    if (std::string why = PathMap::System().WhyEmulatorCannotBeHanded(systemPath); !why.empty()) {
        listing_.ok = false;
        listing_.error = std::move(why);
        return;
    }
    std::wstring mask = WideFromCodePage(systemPath);
    if (mask.empty() || mask.back() != L'\\') {
        mask += L'\\';
    }
    mask += L'*';
    // The wide listing, so that a name the code page cannot spell is known as such.
    auto open = std::make_unique<Open>();
    open->find = FindFirstFileW(mask.c_str(), &open->data);
    if (open->find == INVALID_HANDLE_VALUE) {
        // A drive's root has no "." or "..": empty, it has nothing to find.
        const DWORD error = GetLastError();
        mask.pop_back();
        const DWORD attributes = GetFileAttributesW(mask.c_str());
        if (error == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return;
        }
        listing_.ok = false;
        listing_.error = SystemReason(error);
        return;
    }
    open_ = std::move(open);
}

DirReader::~DirReader() {
    if (open_) {
        FindClose(open_->find);
    }
}

bool DirReader::Read(std::size_t most) {
    if (!open_) {
        return false;
    }
    const std::size_t from = listing_.entries.size();
    const std::size_t lossyFrom = listing_.trueNames.size();
    bool more = true;
    for (std::size_t read = 0; more && (most == 0 || read < most);) {
        const WIN32_FIND_DATAW& data = open_->data;
        const std::wstring_view wide = data.cFileName;
        if (wide != L"." && wide != L".." &&
            !(data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            bool lossy = false;
            listing_.entries.push_back({CodePageFromWide(wide, &lossy),
                                        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
            if (lossy) {
                listing_.trueNames.emplace_back(
                    static_cast<std::uint32_t>(listing_.entries.size() - 1), Utf8FromWide(wide));
            }
            ++read;
        }
        more = FindNextFileW(open_->find, &open_->data) != 0;
    }
    if (!more) {
        FindClose(open_->find);
        open_.reset();
    }
    // Only when some name needs it: every name as shown, the others in the
    // code page, order alike as they are.
    if (!listing_.trueNames.empty()) {
        std::vector<std::string>& shown = listing_.shownNames;
        const bool all = shown.empty();
        shown.reserve(listing_.entries.size());
        for (std::size_t i = all ? 0 : from; i < listing_.entries.size(); ++i) {
            shown.push_back(Utf8FromWide(WideFromCodePage(listing_.entries[i].name)));
        }
        for (std::size_t t = all ? 0 : lossyFrom; t < listing_.trueNames.size(); ++t) {
            shown[listing_.trueNames[t].first] = listing_.trueNames[t].second;
        }
    }
    return more;
}

} // namespace platform
