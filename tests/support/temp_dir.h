// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
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
    // In "tmp" at the root under a name of 7 characters, so that its path has no
    // name that a short form would cut.
    struct ShortNamed {};
    explicit TempDir(ShortNamed) {
        const std::filesystem::path tmp =
            std::filesystem::temp_directory_path().root_path() / "tmp";
        std::filesystem::create_directories(tmp);
        std::random_device random;
        do {
            path_ = tmp / ('v' + std::to_string(100000 + random() % 900000));
        } while (!std::filesystem::create_directory(path_));
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
    // "0.pce", "1.pce" … in `folder` (may be ""), `count` of them.
    void WriteNumbered(const std::string& folder, int count) const {
        for (int i = 0; i < count; ++i) {
            Write((std::filesystem::path(folder) / (std::to_string(i) + ".pce")).string());
        }
    }

private:
    std::filesystem::path path_;
};

// The current directory as a test sets it, back as it was when the test ends.
struct InDirectory {
    explicit InDirectory(const std::filesystem::path& dir) : old(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(old); }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    std::filesystem::path old;
};
