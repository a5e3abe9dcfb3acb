// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/launch.h"

#include <gtest/gtest.h>

namespace {

struct LaunchCase {
    std::string emulatorDir;
    std::string imageDir;
    std::string image;
    std::string commandLine; // empty: nothing starts
};

class LaunchCommandLineTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(LaunchCommandLineTest, BuildsTheRomOrIsoLaunchFromTheExtension) {
    const LaunchCase& c = GetParam();
    EXPECT_EQ(LaunchCommandLine(c.emulatorDir, c.imageDir, c.image), c.commandLine);
}

const std::string kLongImage = "A very long image name of a game.pce";

INSTANTIATE_TEST_SUITE_P(
    Table, LaunchCommandLineTest,
    ::testing::Values(
        LaunchCase{"C:\\HUGO\\", "D:\\Jeux\\PC Engine", "game.pce",
                   "C:\\HUGO\\hu-go!.exe D:\\Jeux\\PC Eng~1\\\\game.pce"},
        LaunchCase{"C:\\HUGO\\", "D:\\CD", "disc.iso",
                   "C:\\HUGO\\hu-go!.exe -c2 -iD:\\CD\\\\disc.iso"},
        LaunchCase{"C:\\HUGO\\", "D:\\", "game.pce", "C:\\HUGO\\hu-go!.exe D:\\\\\\game.pce"},
        LaunchCase{"", "D:\\CD", "game.zip", "hu-go!.exe D:\\CD\\\\game.zip"},
        LaunchCase{"E:\\", "D:\\CD", "GAME.PCE", "E:\\hu-go!.exe D:\\CD\\\\GAME.PCE"},
        LaunchCase{"E:\\", "D:\\CD", "GAME.ZIP", "E:\\hu-go!.exe D:\\CD\\\\GAME.ZIP"},
        LaunchCase{"E:\\", "D:\\CD", "GAME.ISO", "E:\\hu-go!.exe -c2 -iD:\\CD\\\\GAME.ISO"},
        LaunchCase{"E:\\", "D:\\CD", "xpce", "E:\\hu-go!.exe D:\\CD\\\\xpce"},
        LaunchCase{"E:\\", "D:\\Collection\\Hudson Soft", kLongImage,
                   "E:\\hu-go!.exe D:\\Collec~1\\Hudson~1\\\\" + kLongImage},
        LaunchCase{"E:\\", "D:\\CD", "game.Pce", ""}, LaunchCase{"E:\\", "D:\\CD", "game.Zip", ""},
        LaunchCase{"E:\\", "D:\\CD", "game.Iso", ""}, LaunchCase{"E:\\", "D:\\CD", "game.txt", ""},
        LaunchCase{"E:\\", "D:\\CD", "", ""}, LaunchCase{"E:\\", "D:\\CD", "ce", ""}));

} // namespace
