// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <string_view>

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

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
inline bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t more = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : 9;
        if (more == 9 || b > 0xF4 || i + more >= s.size())
            return false;
        char32_t u = b & (0x7F >> more);
        for (std::size_t k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            u = (u << 6) | (c & 0x3F);
        }
        if ((more == 2 && (u < 0x800 || (u >= 0xD800 && u < 0xE000))) ||
            (more == 3 && (u < 0x10000 || u > 0x10FFFF)))
            return false;
        i += more + 1;
    }
    return true;
}

} // namespace platform
