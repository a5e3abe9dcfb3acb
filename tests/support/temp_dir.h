// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <stdlib.h>
#include <string>

// A directory of its own for one test, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("vorlanes-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    // In /tmp under a name of 7 characters, so that its path has no name that a
    // short form would cut.
    struct ShortNamed {};
    explicit TempDir(ShortNamed) {
        char name[] = "/tmp/vXXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string native() const { return path_.string(); }

    std::filesystem::path Write(const std::string& relative,
                                const std::string& content = {}) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }
    std::filesystem::path MakeDir(const std::string& relative) const {
        const std::filesystem::path dir = path_ / relative;
        std::filesystem::create_directories(dir);
        return dir;
    }

private:
    std::filesystem::path path_;
};
