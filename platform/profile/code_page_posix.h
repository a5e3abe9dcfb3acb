// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The 8-bit functions take and give text in the system code page,
// Windows-1252 here. Wine reads a file that starts with a UTF-8 byte-order
// mark as UTF-8, and a UTF-16LE one (FF FE) as Unicode, as Windows does:
// their names and values pass through the code page on the way in and out.
// A UTF-16 file is held as UTF-8 behind its mark while it is edited, so
// that lines a write does not touch keep every character. Characters outside
// the code page, and bytes that are no UTF-8, read as "?"; the five bytes that
// 1252 leaves unassigned map to the control characters of the same value.
namespace platform::codepage {

bool IsUtf16(std::string_view bytes);
bool HasUtf8Mark(std::string_view text);
// text gets the UTF-8 mark and the UTF-16LE file's text after it.
void Utf16ToUtf8(std::string_view bytes, std::string& text);
// The other way, the mark included.
void Utf8ToUtf16(std::string_view text, std::string& bytes);

// How the file spells what the caller gives and gets.
class Spelling {
public:
    explicit Spelling(std::string_view text) : utf8_(HasUtf8Mark(text)) {}
    std::string In(std::string_view s) const;
    // A NUL is the same byte in both and never part of a UTF-8 sequence, so a
    // whole list spells as its items do.
    std::string Out(std::string_view s) const;

private:
    bool utf8_;
};

} // namespace platform::codepage
