// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// A stand-in emulator: writes the command line it was started with, byte for
// byte, to the file that VORLANES_RECORD names (through a temporary file, so a
// reader never sees half of it).
#include <windows.h>

#include <string>

int main() {
    char record[MAX_PATH + 1] = {};
    if (GetEnvironmentVariableA("VORLANES_RECORD", record, sizeof record) == 0) {
        return 2;
    }
    const std::string line = GetCommandLineA();
    const std::string temporary = std::string(record) + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 3;
    }
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(temporary.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
