// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths_posix.h"
#include "support/temp_dir.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

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

bool RecordsBirthTimes(const std::string& path) {
    struct statx stx {};
    return statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME);
}

struct ShortFormCase {
    std::vector<const char*> made; // made in this order, the first the oldest
    const char* shortPath;
    const char* expected;
};

class ShortFormChoice : public ::testing::TestWithParam<ShortFormCase> {};

// A "~1" that more than one directory shares leads to the one under which the
// path goes on, and among equals to the one Windows named "~1" first.
TEST_P(ShortFormChoice, LeadsWhereTheRestOfThePathExists) {
    TempDir tmp;
    for (const char* made : GetParam().made) {
        if (std::string(made).back() == '/') {
            tmp.MakeDir(made);
        } else {
            tmp.Write(made);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!RecordsBirthTimes(tmp.native())) {
        GTEST_SKIP() << "this file system records no birth times";
    }
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string base = map.ToSystem(tmp.native());
    EXPECT_EQ(map.ToNative(base + GetParam().shortPath), tmp.native() + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortFormChoice,
    ::testing::Values(
        // The sibling first in name order lacks the rest.
        ShortFormCase{{"Emulation Tools/", "Emulators Folder/Hu-Go/Hu-go!.ini"},
                      "\\Emulat~1\\Hu-Go\\",
                      "/Emulators Folder/Hu-Go"},
        // A file yet to be made goes where its directory is.
        ShortFormCase{{"Emulation Tools/", "Emulators Folder/Hu-Go/"},
                      "\\Emulat~1\\Hu-Go\\Hu-go!.ini",
                      "/Emulators Folder/Hu-Go/Hu-go!.ini"},
        ShortFormCase{{"Program Files/", "Program Files (x86)/Hu-Go/"},
                      "\\Progra~1\\Hu-Go\\",
                      "/Program Files (x86)/Hu-Go"},
        // Both hold it: the oldest, though later in name order.
        ShortFormCase{{"Emulators Folder/Hu-Go/", "Emulation Tools/Hu-Go/"},
                      "\\EMULAT~1\\hu-go",
                      "/Emulators Folder/Hu-Go"},
        ShortFormCase{{"Emulation Tools/Hu-Go/", "Emulators Folder/Hu-Go/"},
                      "\\Emulat~1\\Hu-Go",
                      "/Emulation Tools/Hu-Go"},
        // Neither holds it: the oldest.
        ShortFormCase{{"Emulators Folder/", "Emulation Tools/"},
                      "\\Emulat~1\\none\\x.ini",
                      "/Emulators Folder/none/x.ini"},
        // Deeper: the second "~1" decides the first.
        ShortFormCase{{"PC Engine A/Collection 1/", "PC Engine B/Collection 2/game.pce"},
                      "\\PC Eng~1\\Collec~1\\game.pce",
                      "/PC Engine B/Collection 2/game.pce"}));

// What the emulator under Wine cannot be handed, by the locale Wine follows.
TEST(PathMap, SaysWhichNamesTheEmulatorCannotBeHanded) {
    const struct {
        const char* locale;
        const char* path;
        const char* why; // empty: it can be handed
    } cases[] = {
        {"en_US.UTF-8", "Z:\\roms\\\u65E5\u672C.pce", "code page 1252"},
        {"ja_JP.UTF-8", "Z:\\roms\\\u65E5\u672C.pce", ""},
        {"C.UTF-8", "Z:\\\u0418\u0433\u0440\u044B\\a.pce", "code page 1252"},
        {"en_US.UTF-8", "Z:\\roms\\Caf\xE9.pce", ""}, // the code page's own bytes
        {"en_US.UTF-8", "Z:\\roms\\CON.pce", "device name"},
        {"en_US.UTF-8", "Z:\\Jeux: 2024\\a.pce", "(\":\")"},
        {"en_US.UTF-8", "Z:\\roms\\a\tb.pce", "control character"},
    };
    const char* saved = std::getenv("LC_ALL");
    const std::string before = saved ? saved : "";
    for (const auto& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        const std::string why = Machine().WhyEmulatorCannotBeHanded(c.path);
        EXPECT_EQ(why.empty(), !*c.why) << c.locale << " " << c.path << ": " << why;
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
    }
    saved ? setenv("LC_ALL", before.c_str(), 1) : unsetenv("LC_ALL");
}

struct StoredFormCase {
    std::vector<const char*> made; // made in this order, the first the oldest
    const char* chosen;
    const char* shortForm;
    platform::PathMap::Reader reader;
    const char* stored; // what is stored for it
};

class StoredForm : public ::testing::TestWithParam<StoredFormCase> {};

// The short form is stored where its reader finds the chosen directory through
// it; otherwise the full name, which every reader finds.
TEST_P(StoredForm, LeadsToTheChosenDirectory) {
    TempDir tmp{TempDir::ShortNamed{}};
    for (const char* made : GetParam().made) {
        tmp.MakeDir(made);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string base = map.ToSystem(tmp.native());
    EXPECT_EQ(
        map.FormLeadingTo(base + GetParam().chosen, base + GetParam().shortForm, GetParam().reader),
        base + GetParam().stored);
}

using Reader = platform::PathMap::Reader;
INSTANTIATE_TEST_SUITE_P(
    Table, StoredForm,
    ::testing::Values(
        // Leads there.
        StoredFormCase{{"Program Files (x86)/Hu-Go"},
                       "\\Program Files (x86)\\Hu-Go",
                       "\\Progra~1\\Hu-Go\\",
                       Reader::ThisProgram,
                       "\\Progra~1\\Hu-Go\\"},
        StoredFormCase{
            {"Roms1234"}, "\\Roms1234\\", "\\Roms1234\\", Reader::Emulator, "\\Roms1234\\"},
        // Leads elsewhere: the older of two that begin alike holds the "~1".
        StoredFormCase{{"Program Files/Hu-Go", "Program Files (x86)/Hu-Go"},
                       "\\Program Files (x86)\\Hu-Go",
                       "\\Progra~1\\Hu-Go\\",
                       Reader::ThisProgram,
                       "\\Program Files (x86)\\Hu-Go\\"},
        StoredFormCase{{"PC Engine Collection", "PC Engine Zeta"},
                       "\\PC Engine Zeta",
                       "\\PC Eng~1\\",
                       Reader::ThisProgram,
                       "\\PC Engine Zeta\\"},
        // Leads nowhere: the emulator under Wine reads no "~1" of ours.
        StoredFormCase{{"PC Engine Games"},
                       "\\PC Engine Games",
                       "\\PC Eng~1\\",
                       Reader::Emulator,
                       "\\PC Engine Games\\"},
        // No such directory: its short form, as ever.
        StoredFormCase{{},
                       "\\Program Files (x86)\\Hu-Go",
                       "\\Progra~1\\Hu-Go\\",
                       Reader::Emulator,
                       "\\Progra~1\\Hu-Go\\"}));

// A listing is reused while its directory stays as it was, and read anew once
// the directory changes.
TEST(PathMap, SeesADirectoryChangeAfterItsListingWasKept) {
    TempDir tmp;
    tmp.MakeDir("PC Engine Games");
    tmp.MakeDir("Other");
    std::this_thread::sleep_for(std::chrono::milliseconds(3100)); // old enough to be kept
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string base = map.ToSystem(tmp.native());
    EXPECT_EQ(map.ToNative(base + "\\PC Eng~1"), tmp.native() + "/PC Engine Games");
    EXPECT_EQ(map.ToNative(base + "\\pc engine games"), tmp.native() + "/PC Engine Games");
    std::filesystem::rename(tmp.path() / "PC Engine Games", tmp.path() / "PC Engine Roms");
    EXPECT_EQ(map.ToNative(base + "\\PC Eng~1"), tmp.native() + "/PC Engine Roms");
    EXPECT_EQ(map.ToNative(base + "\\pc engine games"), tmp.native() + "/pc engine games");
}

// Each drive is listed where its link says it leads, without a look at the
// target: one that does not answer (a hung network mount) would hold back the
// window, and one without its disc is found out when it is chosen.
TEST(WinePrefixDrives, ListsEachLinkAsItSaysWithoutLookingAtTheTarget) {
    TempDir prefix;
    prefix.MakeDir("drive_c");
    prefix.MakeDir("dosdevices");
    const TempDir elsewhere;
    namespace fs = std::filesystem;
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/c:");
    fs::create_directory_symlink("/", prefix.path() / "dosdevices/z:");
    fs::create_symlink("/nonexistent-device", prefix.path() / "dosdevices/d:");
    fs::create_directory_symlink(elsewhere.path(), prefix.path() / "stands-in");
    fs::create_symlink(prefix.path() / "./stands-in/../stands-in", prefix.path() / "dosdevices/n:");
    fs::create_directory_symlink("../drive_c", prefix.path() / "dosdevices/com1");

    const platform::PathMap map(platform::WinePrefixDrives(prefix.native()));
    std::string letters;
    for (const platform::DriveInfo& drive : map.Drives()) {
        letters += drive.letter;
    }
    ASSERT_EQ(letters, "CDNZ");
    EXPECT_EQ(map.Drives()[1].nativeRoot, "/nonexistent-device");
    EXPECT_EQ(map.Drives()[2].nativeRoot, (prefix.path() / "stands-in").string())
        << "a link through another link is not followed";
    const std::string driveC = fs::canonical(prefix.path() / "drive_c").string();
    EXPECT_EQ(map.ToSystem(driveC + "/Program Files"), "C:\\Program Files");
    EXPECT_EQ(map.ToNative("C:\\Program Files"), driveC + "/Program Files");
}

TEST(PathMap, DriveCurrentDirectoryIsTheProcessDirectoryOnItsOwnDrive) {
    TempDir tmp;
    const InDirectory here(tmp.path());
    const platform::PathMap map({{'C', tmp.native() + "/c", ""}, {'Z', "/", "/"}});
    EXPECT_EQ(map.CurrentDirectory(), map.ToSystem(std::filesystem::current_path().string()));
    EXPECT_EQ(map.DriveCurrentDirectory('z'), map.CurrentDirectory());
    EXPECT_EQ(map.DriveCurrentDirectory('C'), "C:\\");
}

} // namespace
