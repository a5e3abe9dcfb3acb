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
#include "support/scripted_profile.h"

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

// The functions under test, with hooks in front (tests/support/scripted_profile.h).
struct Scripted final : fakes::ScriptedProfile {
    Scripted() : ScriptedProfile(Profile()) {}
};

} // namespace ini_test
