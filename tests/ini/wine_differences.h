// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

#include "ini/ini_test_files.h"

// Where Wine's kernel32 is known to answer otherwise than Windows, all in one
// place. Tests expect what Windows does; only when they run over Wine's
// kernel32 do they take Wine's answer instead, and only for these cases.
namespace wine_differences {

inline std::string Windows(const std::string& windows, const std::string& wine) {
    return ini_test::UnderWine() ? wine : windows;
}

// Wine's FormatMessage has texts of its own.
inline const std::string kNotFound =
    Windows("The system cannot find the file specified.\r\n", "File not found.\r\n");
inline const std::string kParameter =
    Windows("The parameter is incorrect.\r\n", "Invalid parameter.\r\n");
inline const std::string kAccessDenied = Windows("Access is denied.\r\n", "Access denied.\r\n");

// After a key or section missing from an existing file Wine leaves the last
// error at 0 (no text: "unknown"); Windows sets 2, the file not found.
inline const std::string kMissingEntry =
    Windows("The system cannot find the file specified.\r\n", "An unknown error has occured");

// Writing a file, Wine rewrites lines it was not asked to touch: blanks around
// keys and values are dropped from every line of the file, and a section
// without entries is not written at all. Windows changes only the lines
// written. Tests that check written bytes give both: Windows(ours, Wine's).

} // namespace wine_differences
