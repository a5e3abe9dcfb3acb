// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Random files and random operations against the profile functions: nothing
// may crash or overrun a buffer, a written value must read back as the syntax
// says (trimmed, one pair of quotes off), and every other section must stay
// byte for byte as it was.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ini/ini_test_files.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile_posix.h"
#include "support/fuzz.h"

namespace {

namespace ini = platform::ini;
using ini_test::ReadFile;

void Check(bool ok, const char* what) {
    FuzzCheck(ok, "fuzz_profile", what);
}

// The fuzzer's bytes read as choices; zeros once they run out.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte() { return size > 0 ? (--size, *data++) : 0; }
    // Up to max bytes; NULs dropped, since the functions take C strings.
    std::string Text(std::size_t max) {
        std::string text;
        for (std::size_t n = Byte() % (max + 1); n > 0 && size > 0; --n) {
            if (const char c = static_cast<char>(Byte()))
                text.push_back(c);
        }
        return text;
    }
};

const std::string& File() {
    static const std::string path = (FuzzScratch() / "fuzz.ini").string();
    return path;
}

platform::PosixProfile& Profile() {
    static platform::PosixProfile profile([](const std::string& name) { return name; },
                                          [] { return std::string(); }, false);
    return profile;
}

// Where the first section of that name starts and ends (at the next header);
// an empty stretch at the end when there is none.
std::pair<std::size_t, std::size_t> Find(std::string_view text, std::string_view section) {
    ini::LineReader reader(text);
    ini::Line line;
    std::size_t begin = text.size();
    while (reader.Next(line)) {
        if (line.kind == ini::LineKind::Header && begin < text.size())
            return {begin, line.begin};
        if (line.kind == ini::LineKind::Header && ini::NamesEqual(line.name, section))
            begin = line.begin;
    }
    return {begin, text.size()};
}

// Only that section may change, or a new one come at the end, after a line
// break that the last line may gain.
void CheckOthersUntouched(std::string_view before, std::string_view after,
                          std::string_view section) {
    const auto [b0, b1] = Find(before, ini::TrimBlanks(section));
    const auto [a0, a1] = Find(after, ini::TrimBlanks(section));
    Check(before.substr(b1) == after.substr(a1), "a later section changed");
    Check(after.substr(0, b0) == before.substr(0, b0) && a0 >= b0 &&
              a0 - b0 <= (b0 == before.size() ? 2u : 0u),
          "an earlier section changed");
}

// A UTF-16 file, or UTF-8 behind its mark: the functions take and give its
// text in the code page, so what was written is read back through them.
bool Encoded(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with(platform::ini::kUtf8Mark);
}

std::string ReadValueBack(const std::string& section, const std::string& key) {
    std::vector<char> buffer(1 << 16);
    const std::uint32_t n = Profile().GetPrivateProfileStringA(
        section.c_str(), key.c_str(), "\x01none", buffer.data(), buffer.size(), File().c_str());
    return std::string(buffer.data(), n);
}

std::vector<std::string> ReadSectionBack(const std::string& section) {
    std::vector<char> buffer(1 << 16);
    const std::uint32_t n = Profile().GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                                                buffer.size(), File().c_str());
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < n; at += entries.back().size() + 1)
        entries.emplace_back(buffer.data() + at);
    return entries;
}

// One value, or a whole section of entries; either must read back.
void Write(Input& in, bool wholeSection) {
    const std::string section = in.Text(12);
    const std::string key = wholeSection ? "" : in.Text(12);
    const std::string value = wholeSection ? "" : in.Text(40);
    bool allowed = ini::IsWritableSection(section) &&
                   (wholeSection || (ini::IsWritableKey(key) && ini::IsWritableValue(value)));
    std::string list;
    std::string body = "[s]\n"; // the entries as lines below a header
    for (int n = wholeSection ? in.Byte() % 4 : 0; n > 0; --n) {
        std::string entry = in.Text(20);
        if (entry.empty())
            entry = "e";
        allowed = allowed && ini::IsWritableEntry(entry);
        list.append(entry).push_back('\0');
        body.append(entry).push_back('\n');
    }
    // As reading the section gives them back; a refused entry makes them moot.
    const std::vector<std::string> entries =
        allowed ? ini::SectionEntries(body, "s").value_or(std::vector<std::string>{})
                : std::vector<std::string>{};
    const std::string before = ReadFile(File());
    const char* s = section.c_str();
    const bool ok =
        (wholeSection ? Profile().WritePrivateProfileSectionA(s, list.c_str(), File().c_str())
                      : Profile().WritePrivateProfileStringA(s, key.c_str(), value.c_str(),
                                                             File().c_str())) != 0;
    const std::string after = ReadFile(File());
    if (!allowed) {
        Check(!ok && Profile().GetLastError() == 87, "harmful write not refused");
        return Check(after == before, "refused write changed the file");
    }
    Check(ok, "write failed");
    if (Encoded(after))
        return Check(wholeSection
                         ? ReadSectionBack(section) == entries
                         : ReadValueBack(section, key) == ini::Unquote(ini::TrimBlanks(value)),
                     "what was written does not read back through the code page");
    Check(wholeSection
              ? ini::SectionEntries(after, section) == entries
              : ini::FindValue(after, section, key) == ini::Unquote(ini::TrimBlanks(value)),
          "what was written does not read back");
    CheckOthersUntouched(before, after, section);
}

// A list ends in two NULs: the last entry's and its own, or both after a cut entry.
void CheckList(const std::vector<char>& buffer, std::uint32_t count) {
    const std::size_t size = buffer.size();
    Check(size == 0 ? count == 0 : count < size && buffer[count] == '\0', "list overruns");
    Check(size <= 1 || (count > 0 && buffer[count - 1] == '\0') ||
              (count + 1 < size && buffer[count + 1] == '\0'),
          "list without its second NUL");
}

void Read(Input& in, int kind) {
    const std::uint32_t size = in.Byte() % 64;
    const std::string section = in.Text(12), key = in.Text(12);
    std::vector<char> buffer(size, 'X');
    char* data = size > 0 ? buffer.data() : nullptr;
    const char* file = File().c_str();
    if (kind == 1)
        return CheckList(buffer,
                         Profile().GetPrivateProfileSectionA(section.c_str(), data, size, file));
    if (kind == 2)
        return CheckList(buffer, Profile().GetPrivateProfileSectionNamesA(data, size, file));
    const std::uint32_t n =
        Profile().GetPrivateProfileStringA(section.c_str(), key.c_str(), "", data, size, file);
    Check(size == 0 ? n == 0 : n < size && buffer[n] == '\0', "value overruns");
    const std::string text = ReadFile(File());
    if (Encoded(text))
        return; // its bytes are not what the functions give
    const auto value = ini::FindValue(text, section, key);
    if (value && value->size() < size)
        Check(std::string_view(data, n) == *value, "value read wrongly");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const std::size_t high = in.Byte();
    const std::size_t length = std::min(high << 8 | in.Byte(), in.size);
    ini_test::WriteFile(File(), std::string(reinterpret_cast<const char*>(in.data), length));
    in.data += length;
    in.size -= length;
    while (in.size > 0) {
        const int op = in.Byte() % 6;
        if (op < 3)
            Write(in, op == 2);
        else
            Read(in, in.Byte() % 3);
    }
    return 0;
}
