// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile/profile.h"

// One call of a profile function, as a line of text that both the test and the
// replayer under Wine understand, and what it gave.
namespace differential {

enum class Op : char {
    String = 'S',       // GetPrivateProfileStringA(a = section, b = key, c = default)
    Section = 'E',      // GetPrivateProfileSectionA(a = section)
    Names = 'N',        // GetPrivateProfileSectionNamesA()
    WriteString = 'W',  // WritePrivateProfileStringA(a = section, b = key, c = value)
    WriteSection = 'P', // WritePrivateProfileSectionA(a = section, c = entries with their NULs)
};

struct Arg {
    bool null = true;
    std::string bytes;
};

inline Arg Null() {
    return {};
}
inline Arg Text(std::string bytes) {
    return {false, std::move(bytes)};
}

struct Call {
    Op op = Op::String;
    Arg a, b, c;
    std::uint32_t size = 0;
    std::string file;
};

struct Result {
    std::uint32_t value = 0; // the function's return value, as unsigned
    std::uint32_t error = 0; // GetLastError() right after the call
    std::string buffer;      // the whole buffer after the call; unwritten bytes stay kUnwritten
};

inline constexpr char kUnwritten = '\xCC';

std::string Encode(const Call& call);
bool Decode(std::string_view line, Call& call);
std::string Encode(const Result& result);
bool Decode(std::string_view line, Result& result);

// Makes the call; the last error is read straight after it.
Result Run(platform::ProfileFunctions& profile, const Call& call);

// A readable form for failure messages: C escapes, "NULL" for a null argument.
std::string Describe(const Call& call);
std::string Printable(std::string_view bytes);

} // namespace differential
