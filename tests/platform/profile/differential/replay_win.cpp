// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Replays profile calls, one line each from stdin, through kernel32 itself and
// answers each with its result line. Run under Wine beside our own functions.
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

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

// "time <call>|<call>|...": makes the calls in turn and answers with the
// nanoseconds they took together, measured here so that the pipe costs nothing.
bool Time(platform::ProfileFunctions& profile, std::string_view calls) {
    std::vector<differential::Call> decoded;
    for (std::size_t end = 0; !calls.empty(); calls.remove_prefix(end + (end < calls.size()))) {
        end = std::min(calls.find('|'), calls.size());
        if (!differential::Decode(calls.substr(0, end), decoded.emplace_back()))
            return false;
    }
    LARGE_INTEGER frequency, start, stop;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (const differential::Call& call : decoded)
        differential::Run(profile, call);
    ::QueryPerformanceCounter(&stop);
    std::cout << static_cast<long long>(static_cast<double>(stop.QuadPart - start.QuadPart) * 1e9 /
                                        static_cast<double>(frequency.QuadPart))
              << std::endl;
    return true;
}

} // namespace

int main() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    Kernel32 kernel32;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.starts_with("time ")) {
            if (!Time(kernel32, std::string_view(line).substr(5))) {
                std::cout << "bad call" << std::endl;
                return 2;
            }
            continue;
        }
        differential::Call call;
        if (!differential::Decode(line, call)) {
            std::cout << "bad call" << std::endl;
            return 2;
        }
        std::cout << differential::Encode(differential::Run(kernel32, call)) << std::endl;
    }
    return 0;
}
