// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/code_page_posix.h"

#include <iterator>

#include "platform/posix/utf8_posix.h"
#include "platform/profile/ini_text.h"

namespace platform::codepage {

namespace {

constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char To1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < std::size(kHigh1252); ++i) {
        if (kHigh1252[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

char16_t From1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x80 && b < 0xA0) ? kHigh1252[b - 0x80] : b;
}

// The next character of UTF-8 text, or nothing for a byte that starts none
// (then one byte is taken). Surrogates are taken, for the UTF-16 files.
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    const std::size_t more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (more == 0 || b > 0xF4 || i + more > s.size())
        return std::nullopt;
    char32_t u = b & (0x3F >> more);
    for (std::size_t k = 0; k < more; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return std::nullopt;
        u = (u << 6) | (c & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (u < kLeast[more] || u > 0x10FFFF)
        return std::nullopt;
    i += more;
    return u;
}

std::string Utf8To1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto u = NextUtf8(s, i);
        out.push_back(u ? To1252(*u) : '?');
    }
    return out;
}

std::string Utf8From1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s)
        AppendUtf8(out, From1252(c));
    return out;
}

} // namespace

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE");
}

bool HasUtf8Mark(std::string_view text) {
    return text.starts_with(ini::kUtf8Mark);
}

void Utf16ToUtf8(std::string_view bytes, std::string& text) {
    text.assign(ini::kUtf8Mark);
    text.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(text, u);
    }
}

void Utf8ToUtf16(std::string_view text, std::string& bytes) {
    text.remove_prefix(ini::kUtf8Mark.size());
    bytes.assign("\xFF\xFE");
    bytes.reserve(2 + text.size() * 2);
    const auto put = [&](char32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    };
    for (std::size_t i = 0; i < text.size();) {
        const char32_t u = NextUtf8(text, i).value_or(U'?');
        if (u >= 0x10000) {
            put(0xD800 + ((u - 0x10000) >> 10));
            put(0xDC00 + ((u - 0x10000) & 0x3FF));
        } else {
            put(u);
        }
    }
}

std::string Spelling::In(std::string_view s) const {
    return utf8_ ? Utf8From1252(s) : std::string(s);
}

std::string Spelling::Out(std::string_view s) const {
    return utf8_ ? Utf8To1252(s) : std::string(s);
}

} // namespace platform::codepage
