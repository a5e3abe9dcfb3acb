// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <string_view>

// The store's file in the form QSettings gives it, so that what earlier
// versions wrote reads on, and the other way round: "[Section]" and
// "Key=value" lines, values escaped as QSettings escapes them, UTF-8 text as
// text and other bytes as "@ByteArray(...)".
namespace platform::settings_text {

// Letters, digits, "_", "-" and "." as they are, other bytes as %XX.
std::string EscapedName(std::string_view name);

// Whether every line is one the store knows: blank, a comment, a header, or
// key=value, in UTF-8 without NULs. Anything else would be lost by a rewrite.
bool Parses(std::string_view file);

// The value of key in section (escaped names), as QSettings reads it; the
// last one wins. Empty when there is none.
std::string Value(std::string_view file, const std::string& section, const std::string& key);

// The file with key set to value, in place, or added at the end of the
// section's last appearance, or in a new section at the end.
std::string Edited(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

} // namespace platform::settings_text
