// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"

namespace platform {
namespace {

std::string Narrow(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* lossy) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossy);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), needed, nullptr, lossy);
    return bytes;
}

} // namespace

std::wstring Widen(UINT codePage, std::string_view bytes) {
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

std::string CodePageFromWide(std::wstring_view wide, bool* lossy) {
    BOOL usedDefault = FALSE;
    // UTF-8 as the code page spells everything, and takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    std::string bytes =
        Narrow(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, utf8 ? nullptr : &usedDefault);
    if (lossy) {
        *lossy = usedDefault != FALSE;
    }
    return bytes;
}

std::string Utf8FromWide(std::wstring_view wide) {
    return Narrow(CP_UTF8, 0, wide, nullptr);
}

std::string SystemReason(DWORD code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
        reason.pop_back();
    }
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

bool LacksCodePageCharacters(std::string_view name) {
    return name.find('?') != std::string_view::npos;
}

const char kLackedCharacters[] =
    "A name in it has characters that this system's code page lacks, each shown as \"?\": "
    "programs that use the code page, the emulator among them, cannot be handed it. Rename it "
    "with other characters.";

} // namespace platform
