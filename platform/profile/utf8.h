// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

namespace platform {

// Appends one code point as UTF-8. Lone surrogates are written as three bytes
// each, so that text read from UTF-16 goes back as it came.
inline void AppendUtf8(std::string& out, char32_t u) {
    const auto put = [&](unsigned v) { out.push_back(static_cast<char>(v)); };
    if (u < 0x80) {
        put(u);
    } else if (u < 0x800) {
        put(0xC0 | (u >> 6));
        put(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        put(0xE0 | (u >> 12));
        put(0x80 | ((u >> 6) & 0x3F));
        put(0x80 | (u & 0x3F));
    } else {
        put(0xF0 | (u >> 18));
        put(0x80 | ((u >> 12) & 0x3F));
        put(0x80 | ((u >> 6) & 0x3F));
        put(0x80 | (u & 0x3F));
    }
}

} // namespace platform
