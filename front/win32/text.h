// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The handlers' text is bytes in the system code page and the descriptions'
// captions are UTF-8; the windows show both through the wide API.
namespace win32front {

inline std::wstring Widen(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

inline std::wstring FromUtf8(std::string_view utf8) {
    return Widen(CP_UTF8, utf8);
}

inline std::wstring FromCodePage(std::string_view bytes) {
    return Widen(CP_ACP, bytes);
}

// What the user typed, in the code page; a character it lacks becomes "?".
inline std::string ToCodePage(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

inline std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace win32front
