// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <string>

// For the stand-in programs: writes text to the file that VORLANES_RECORD
// names, through a temporary file so that a reader never sees half of it.
// Returns the program's exit status: 0, or 2 to 4 for what failed.
inline int WriteRecord(const std::string& text) {
    char record[MAX_PATH + 1] = {};
    if (GetEnvironmentVariableA("VORLANES_RECORD", record, sizeof record) == 0) {
        return 2;
    }
    const std::string temporary = std::string(record) + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 3;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(temporary.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
