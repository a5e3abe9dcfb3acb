// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths_posix.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct MappingCase {
    const char* native;
    const char* system;
};

class PathRoundTrip : public ::testing::TestWithParam<MappingCase> {};

// A machine with C: at /srv/wine/drive_c and D: at /media/cd, beside Z: for "/".
const platform::PathMap& Machine() {
    static const platform::PathMap map({{'C', "/srv/wine/drive_c", "/srv/wine/drive_c"},
                                        {'d', "/media/cd/", "/media/cd"},
                                        {'Z', "/", "/"}});
    return map;
}

TEST_P(PathRoundTrip, MapsThroughTheLongestDriveRoot) {
    EXPECT_EQ(Machine().ToSystem(GetParam().native), GetParam().system);
    EXPECT_EQ(Machine().ToNative(GetParam().system), GetParam().native);
}

INSTANTIATE_TEST_SUITE_P(Table, PathRoundTrip,
                         ::testing::Values(MappingCase{"/", "Z:\\"},
                                           MappingCase{"/home/ann/roms", "Z:\\home\\ann\\roms"},
                                           MappingCase{"/srv/wine/drive_c", "C:\\"},
                                           MappingCase{"/srv/wine/drive_c/Games", "C:\\Games"},
                                           MappingCase{"/srv/wine/drive_cx",
                                                       "Z:\\srv\\wine\\drive_cx"},
                                           MappingCase{"/media/cd/x y", "D:\\x y"}));

TEST(PathMap, ReadsSystemPathsLeniently) {
    EXPECT_EQ(Machine().ToNative("c:\\Games\\"), "/srv/wine/drive_c/Games");
    EXPECT_EQ(Machine().ToNative("Z:\\a\\\\b"), "/a/b");
    EXPECT_EQ(Machine().ToNative("Z:\\a\\..\\..\\b"), "/b");
    EXPECT_EQ(Machine().ToNative("Q:\\x"), "") << "a drive that does not exist";
    EXPECT_EQ(Machine().ToNative("Hu-go!.ini"), "Hu-go!.ini") << "relative stays relative";
    EXPECT_EQ(Machine().ToNative("roms\\..\\..\\x"), "roms/../../x");
    EXPECT_EQ(Machine().ToSystem("/a//b/"), "Z:\\a\\b");
}

TEST(PathMap, ResolvesShortNamesAndCaseBackToTheRealDirectory) {
    TempDir tmp;
    tmp.MakeDir("PC Engine Games/roms");
    tmp.MakeDir("PC Engine Old"); // same six characters, later in name order
    tmp.MakeDir("Short");
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string base = map.ToSystem(tmp.native());
    EXPECT_EQ(map.ToNative(base + "\\PC Eng~1\\roms"), tmp.native() + "/PC Engine Games/roms");
    EXPECT_EQ(map.ToNative(base + "\\pc eng~1\\ROMS\\"), tmp.native() + "/PC Engine Games/roms");
    EXPECT_EQ(map.ToNative(base + "\\SHORT"), tmp.native() + "/Short");
    EXPECT_EQ(map.ToNative(base + "\\Short~1"), tmp.native() + "/Short~1")
        << "a short form of a name of 8 characters or fewer resolves to nothing";
    EXPECT_EQ(map.ToNative(base + "\\new.ini"), tmp.native() + "/new.ini");
}

TEST(WinePrefixDrives, TakesLinksThatLeadToDirectories) {
    TempDir prefix;
    prefix.MakeDir("drive_c");
    prefix.MakeDir("dosdevices");
    namespace fs = std::filesystem;
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    fs::create_directory_symlink("/", prefix.path() / "dosdevices/z:");
    fs::create_symlink("/nonexistent-device", prefix.path() / "dosdevices/d:");
    fs::create_symlink("/dev/null", prefix.path() / "dosdevices/e:");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/com1");

    const platform::PathMap map(platform::WinePrefixDrives(prefix.native()));
    ASSERT_EQ(map.Drives().size(), 2u);
    EXPECT_EQ(map.Drives()[0].letter, 'C');
    EXPECT_EQ(map.Drives()[1].letter, 'Z');
    const std::string driveC = fs::canonical(prefix.path() / "drive_c").string();
    EXPECT_EQ(map.ToSystem(driveC + "/Program Files"), "C:\\Program Files");
    EXPECT_EQ(map.ToNative("C:\\Program Files"), driveC + "/Program Files");
}

TEST(PathMap, DriveCurrentDirectoryIsTheProcessDirectoryOnItsOwnDrive) {
    TempDir tmp;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(tmp.path());
    const platform::PathMap map({{'C', tmp.native() + "/c", ""}, {'Z', "/", "/"}});
    EXPECT_EQ(map.CurrentDirectory(), map.ToSystem(std::filesystem::current_path().string()));
    EXPECT_EQ(map.DriveCurrentDirectory('z'), map.CurrentDirectory());
    EXPECT_EQ(map.DriveCurrentDirectory('C'), "C:\\");
    std::filesystem::current_path(previous);
}

} // namespace
