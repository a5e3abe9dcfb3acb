// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/code_page_win.h"

#include <string>
#include <string_view>

// The handlers' text is bytes in the system code page and the descriptions'
// captions are UTF-8; the windows show both through the wide API.
namespace win32front {

inline std::wstring FromUtf8(std::string_view utf8) {
    return platform::Widen(CP_UTF8, utf8);
}

inline std::wstring FromCodePage(std::string_view bytes) {
    return platform::WideFromCodePage(bytes);
}

// What the user typed, in the code page; a character it lacks becomes "?".
inline std::string ToCodePage(const std::wstring& wide) {
    return platform::CodePageFromWide(wide);
}

inline std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace win32front
