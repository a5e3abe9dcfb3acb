// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/differential/profile_calls.h"

#include <cstdio>
#include <vector>

namespace differential {

namespace {

// A field is "-" for a null argument, "." for an empty one, otherwise hex:
// names, values and buffers may hold any byte, NULs and blanks included.
std::string Field(const Arg& arg) {
    if (arg.null)
        return "-";
    if (arg.bytes.empty())
        return ".";
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : arg.bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

int Nibble(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseField(std::string_view text, Arg& arg) {
    arg = {};
    if (text == "-")
        return true;
    arg.null = false;
    if (text == ".")
        return true;
    if (text.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = Nibble(text[i]), lo = Nibble(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        arg.bytes.push_back(static_cast<char>(hi << 4 | lo));
    }
    return true;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const std::size_t end = line.find(' ');
        words.push_back(line.substr(0, end));
        if (end == std::string_view::npos)
            break;
        line.remove_prefix(end + 1);
    }
    return words;
}

bool ParseNumber(std::string_view text, std::uint32_t& number) {
    if (text.empty() || text.size() > 10)
        return false;
    std::uint64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (n > UINT32_MAX)
        return false;
    number = static_cast<std::uint32_t>(n);
    return true;
}

const char* Pointer(const Arg& arg) {
    return arg.null ? nullptr : arg.bytes.c_str();
}

} // namespace

std::string Encode(const Call& call) {
    return std::string(1, static_cast<char>(call.op)) + ' ' + Field(call.a) + ' ' + Field(call.b) +
           ' ' + Field(call.c) + ' ' + std::to_string(call.size) + ' ' + Field(Text(call.file));
}

bool Decode(std::string_view line, Call& call) {
    const auto words = Words(line);
    if (words.size() != 6 || words[0].size() != 1 ||
        std::string_view("SENWP").find(words[0][0]) == std::string_view::npos)
        return false;
    call.op = static_cast<Op>(words[0][0]);
    Arg file;
    if (!ParseField(words[1], call.a) || !ParseField(words[2], call.b) ||
        !ParseField(words[3], call.c) || !ParseNumber(words[4], call.size) ||
        !ParseField(words[5], file) || file.null)
        return false;
    call.file = file.bytes;
    return true;
}

std::string Encode(const Result& result) {
    return std::to_string(result.value) + ' ' + std::to_string(result.error) + ' ' +
           Field(Text(result.buffer));
}

bool Decode(std::string_view line, Result& result) {
    const auto words = Words(line);
    Arg buffer;
    if (words.size() != 3 || !ParseNumber(words[0], result.value) ||
        !ParseNumber(words[1], result.error) || !ParseField(words[2], buffer) || buffer.null)
        return false;
    result.buffer = buffer.bytes;
    return true;
}

Result Run(platform::ProfileFunctions& profile, const Call& call) {
    Result result;
    std::string buffer(call.size, kUnwritten);
    const char* file = call.file.c_str();
    switch (call.op) {
    case Op::String:
        result.value = profile.GetPrivateProfileStringA(
            Pointer(call.a), Pointer(call.b), Pointer(call.c), buffer.data(), call.size, file);
        break;
    case Op::Section:
        result.value =
            profile.GetPrivateProfileSectionA(Pointer(call.a), buffer.data(), call.size, file);
        break;
    case Op::Names:
        result.value = profile.GetPrivateProfileSectionNamesA(buffer.data(), call.size, file);
        break;
    case Op::WriteString:
        result.value = static_cast<std::uint32_t>(profile.WritePrivateProfileStringA(
            Pointer(call.a), Pointer(call.b), Pointer(call.c), file));
        break;
    case Op::WriteSection:
        result.value = static_cast<std::uint32_t>(
            profile.WritePrivateProfileSectionA(Pointer(call.a), Pointer(call.c), file));
        break;
    }
    result.error = profile.GetLastError();
    result.buffer = buffer;
    return result;
}

std::string Printable(std::string_view bytes) {
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        const auto b = static_cast<unsigned char>(c);
        std::size_t run = 1;
        while (i + run < bytes.size() && bytes[i + run] == c)
            ++run;
        if (run > 8) { // long values and unwritten buffer ends stay readable
            out += Printable(bytes.substr(i, 1)).substr(1);
            out.pop_back();
            out += "{x" + std::to_string(run) + "}";
            i += run - 1;
        } else if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (b >= 32 && b < 127) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out + '"';
}

std::string Describe(const Call& call) {
    auto arg = [](const Arg& a) { return a.null ? std::string("NULL") : Printable(a.bytes); };
    switch (call.op) {
    case Op::String:
        return "GetPrivateProfileStringA(" + arg(call.a) + ", " + arg(call.b) + ", " + arg(call.c) +
               ", size " + std::to_string(call.size) + ")";
    case Op::Section:
        return "GetPrivateProfileSectionA(" + arg(call.a) + ", size " + std::to_string(call.size) +
               ")";
    case Op::Names:
        return "GetPrivateProfileSectionNamesA(size " + std::to_string(call.size) + ")";
    case Op::WriteString:
        return "WritePrivateProfileStringA(" + arg(call.a) + ", " + arg(call.b) + ", " +
               arg(call.c) + ")";
    case Op::WriteSection:
        return "WritePrivateProfileSectionA(" + arg(call.a) + ", " + arg(call.c) + ")";
    }
    return {};
}

} // namespace differential
