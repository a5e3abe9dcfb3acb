// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/shortpath.h"
#include "platform/files/paths.h"

#include <gtest/gtest.h>

namespace {

struct ShortCase {
    std::string input;
    std::string result;
};

class ShortPathTest : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ShortPathTest, ShortensEachLongNameToSixCharactersAndTilde1) {
    EXPECT_EQ(ShortPath(GetParam().input), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortPathTest,
    ::testing::Values(
        ShortCase{"C:\\GAMES\\PCENGINE\\", "C:\\GAMES\\PCENGINE\\"},
        ShortCase{"C:\\Program Files\\Hu-Go\\", "C:\\Progra~1\\Hu-Go\\"},
        ShortCase{"D:\\Jeux\\PC Engine\\", "D:\\Jeux\\PC Eng~1\\"},
        ShortCase{"C:\\Emulators\\Emu.old\\", "C:\\Emulat~1\\Emu.old\\"},
        ShortCase{"C:\\Games.old\\", "C:\\Games.~1\\"},
        ShortCase{"C:\\ABCDEFGHIJ\\ABCDEFGHXY\\", "C:\\ABCDEF~1\\ABCDEF~1\\"},
        ShortCase{"C:\\", "C:\\"}, ShortCase{"D:\\roms\\pce", "D:\\roms\\"},
        ShortCase{"\\GAMES\\", "\\GAMES\\"},
        ShortCase{"C:\\\\", "C:\\\\"},             // a root as the launch passes it
        ShortCase{"C:\\a\\\\b\\", "C:\\a\\\\b\\"}, // doubled separators stay
        ShortCase{"C:\\12345678\\123456789\\", "C:\\12345678\\123456~1\\"},
        ShortCase{"LongDrivePart\\x\\", "LongDrivePart\\x\\"}, // the drive part is never cut
        ShortCase{"C:\\Ab cd/efgh\\", "C:\\Ab cd/~1\\"},       // "/" is an ordinary character
        ShortCase{"roms", "roms"},                             // no separator: unchanged
        ShortCase{"", ""}));

TEST(ShortPath, RunsOverTheWholeLengthBeyond255Characters) {
    const std::string longName(300, 'x');
    EXPECT_EQ(ShortPath("C:\\" + longName + "\\" + longName + "\\sub\\"),
              "C:\\xxxxxx~1\\xxxxxx~1\\sub\\");
    const std::string deep = "C:\\" + std::string(260, 'y') + "\\";
    EXPECT_EQ(ShortPath(deep + "12345678\\"), "C:\\yyyyyy~1\\12345678\\");
}

TEST(DirectoryPart, KeepsEverythingUpToTheLastSeparator) {
    EXPECT_EQ(platform::DirectoryPart("C:\\Emu\\hu-go!.exe"), "C:\\Emu\\");
    EXPECT_EQ(platform::DirectoryPart("C:\\"), "C:\\");
    EXPECT_EQ(platform::DirectoryPart("file.txt"), "");
    EXPECT_EQ(platform::DirectoryPart("C:\\" + std::string(400, 'n') + "\\f"),
              "C:\\" + std::string(400, 'n') + "\\");
}

} // namespace
