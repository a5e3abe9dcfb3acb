// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

bool HasDrive(char letter) {
    const auto& drives = platform::PathMap::System().Drives();
    return std::any_of(drives.begin(), drives.end(),
                       [&](const platform::DriveInfo& d) { return d.letter == letter; });
}

TEST(WindowsPaths, DrivesAndCurrentDirectoriesAreTheSystems) {
    const platform::PathMap& map = platform::PathMap::System();
    const std::string current = fs::current_path().string();
    EXPECT_EQ(map.CurrentDirectory(), current);
    const char letter = platform::DriveLetterOf(current);
    ASSERT_NE(letter, 0);
    EXPECT_TRUE(HasDrive(letter));
    EXPECT_TRUE(HasDrive('C'));
    // A drive opens at the current directory when that lies on it, else at its root.
    EXPECT_EQ(map.DriveCurrentDirectory(letter), current);
    const char other = letter == 'C' ? 'Z' : 'C';
    if (HasDrive(other)) {
        EXPECT_EQ(map.DriveCurrentDirectory(other), std::string(1, other) + ":\\");
    }
    // System paths are the native ones here.
    EXPECT_EQ(map.ToNative("C:\\Progra~1\\x"), "C:\\Progra~1\\x");
    EXPECT_EQ(map.ToSystem("C:\\Program Files\\x"), "C:\\Program Files\\x");
}

TEST(WindowsListing, ListsWithOrWithoutATrailingSeparatorAndSaysWhyNot) {
    TempDir tmp;
    tmp.Write("Bonk.pce");
    tmp.Write("notes.txt");
    tmp.MakeDir("Sub Dir");
    const std::string dir = tmp.native();
    for (const std::string& path : {dir, dir + "\\"}) {
        const platform::Listing listing = platform::ListDirectory(path);
        ASSERT_TRUE(listing.ok) << path;
        EXPECT_EQ(platform::MatchingFiles(listing, "*.pce;*.zip;*.iso"),
                  std::vector<std::string>{"Bonk.pce"});
        EXPECT_EQ(platform::Subdirectories(listing), std::vector<std::string>{"Sub Dir"});
    }
    const platform::Listing root = platform::ListDirectory("C:\\");
    EXPECT_TRUE(root.ok);
    EXPECT_FALSE(platform::Subdirectories(root).empty());
    const platform::Listing missing = platform::ListDirectory(dir + "\\none");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_TRUE(missing.entries.empty());
}

} // namespace
