// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/profile/profile.h"

namespace ini_test {

// A fresh directory, removed with its contents at the end.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        root_ = (std::filesystem::temp_directory_path() /
                 ("vorlanes-ini-" + std::to_string(random()) + std::to_string(random())))
                    .string();
        std::filesystem::create_directories(root_);
    }
    TempDir(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string Path(const std::string& name) const {
        return (std::filesystem::path(root_) / name).string();
    }

private:
    std::string root_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The profile functions under test: kernel32 itself on Windows, ours elsewhere
// (tests/platform/profile/under_test_*.cpp), taking native paths unchanged.
platform::ProfileFunctions& Profile();

// True when those are Wine's kernel32 (tests/ini/wine_differences.h).
bool UnderWine();

// The real functions, with a hook in front of some: a write that fails on
// purpose, a section as another platform might return it, a given error code.
class Scripted final : public platform::ProfileFunctions {
public:
    std::function<bool(const char* key)> failWrite = [](const char*) { return false; };
    std::string section;    // when set: the section's entries, "k=v\0...\0"
    std::uint32_t code = 0; // when set: the last error
    std::vector<std::string> writtenKeys;

    std::uint32_t GetPrivateProfileStringA(const char* s, const char* k, const char* d, char* b,
                                           std::uint32_t n, const char* f) override {
        return Profile().GetPrivateProfileStringA(s, k, d, b, n, f);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* s, char* b, std::uint32_t n,
                                            const char* f) override {
        if (section.empty())
            return Profile().GetPrivateProfileSectionA(s, b, n, f);
        section.copy(b, n);
        return static_cast<std::uint32_t>(section.size() - 1);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* b, std::uint32_t n, const char* f) override {
        return Profile().GetPrivateProfileSectionNamesA(b, n, f);
    }
    std::int32_t WritePrivateProfileStringA(const char* s, const char* k, const char* v,
                                            const char* f) override {
        writtenKeys.emplace_back(k ? k : "");
        if (failWrite(k))
            return 0;
        return Profile().WritePrivateProfileStringA(s, k, v, f);
    }
    std::int32_t WritePrivateProfileSectionA(const char* s, const char* e, const char* f) override {
        return Profile().WritePrivateProfileSectionA(s, e, f);
    }
    std::uint32_t GetLastError() override { return code ? code : Profile().GetLastError(); }
    std::uint32_t FormatMessageA(std::uint32_t fl, const void* so, std::uint32_t id,
                                 std::uint32_t la, char* b, std::uint32_t n, void* a) override {
        return Profile().FormatMessageA(fl, so, id, la, b, n, a);
    }
};

} // namespace ini_test
