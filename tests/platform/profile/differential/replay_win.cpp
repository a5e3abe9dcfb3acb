// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Replays profile calls, one line each from stdin, through kernel32 itself and
// answers each with its result line. Run under Wine beside our own functions.
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <string>

#include "platform/profile/differential/profile_calls.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

// kernel32 untouched: none of the program's own refusals in front of it.
class Kernel32 final : public platform::ProfileFunctions {
public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override {
        ::SetLastError(0);
        return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* section, char* buffer, std::uint32_t size,
                                            const char* fileName) override {
        ::SetLastError(0);
        return ::GetPrivateProfileSectionA(section, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                 const char* fileName) override {
        ::SetLastError(0);
        return ::GetPrivateProfileSectionNamesA(buffer, size, fileName);
    }
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) override {
        ::SetLastError(0);
        return ::WritePrivateProfileStringA(section, key, value, fileName);
    }
    std::int32_t WritePrivateProfileSectionA(const char* section, const char* entries,
                                             const char* fileName) override {
        ::SetLastError(0);
        return ::WritePrivateProfileSectionA(section, entries, fileName);
    }
    std::uint32_t GetLastError() override { return ::GetLastError(); }
    std::uint32_t FormatMessageA(std::uint32_t, const void*, std::uint32_t, std::uint32_t, char*,
                                 std::uint32_t, void*) override {
        return 0;
    }
};

} // namespace

int main() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    Kernel32 kernel32;
    std::string line;
    while (std::getline(std::cin, line)) {
        differential::Call call;
        if (!differential::Decode(line, call)) {
            std::cout << "bad call" << std::endl;
            return 2;
        }
        std::cout << differential::Encode(differential::Run(kernel32, call)) << std::endl;
    }
    return 0;
}
