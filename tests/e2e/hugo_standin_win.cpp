// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// A stand-in "hu-go!.exe" for the end-to-end runs under Wine: writes its own
// path, its command line, each argument, and whether the path in it (after an
// option such as "-i") opens and what its first line reads, to the file
// VORLANES_RECORD names, through a temporary file so that a reader never sees
// half of it.
#include <string>

#include "support/record_win.h"

namespace {
// The first line of the file, or nothing when it does not open.
bool FirstLine(const std::string& path, std::string& line) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
    CloseHandle(file);
    line.assign(buffer, read);
    line = line.substr(0, line.find_first_of("\r\n"));
    return true;
}
} // namespace

int main(int argc, char** argv) {
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string text = std::string("exe ") + self + "\n" + "line " + GetCommandLineA() + "\n";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        text += "arg " + arg + "\n";
        const std::string path = arg.size() > 2 && arg[0] == '-' ? arg.substr(2) : arg;
        if (path.find(":\\") == 1) {
            std::string line;
            text += FirstLine(path, line) ? "opens " + path + "\nread " + line + "\n"
                                          : "cannot open " + path + "\n";
        }
    }
    return WriteRecord(text);
}
