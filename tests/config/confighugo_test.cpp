// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/setup_fixture.h"
#include "ini/ini_test_files.h"
#include "platform/profile/profile_errors.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST_F(Setup, OpensShowingWhatTheFileSelects) {
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "graph1 [] ----"},
        {"[Main]\nvmode=3\nlanguage=1\nconfig=0\nrom_dir=C:\\roms\\\neagle=2\nsmode=-1\n",
         "Option1 graph4 langue2 [C:\\roms\\] ?-x-"},
        // No key borrows the value read before it.
        {"[Main]\nlanguage=7\nexact_draw=1\n", "graph1 langue8 [] -x--"},
        {"[Main]\nlanguage=9\nsmode=1\nstatic_refresh=2\n", "graph1 [] ---?"},
        {"[Main]\nvmode=abc\neagle=3\n", "graph1 [] ----"},
        {"[Main]\nvmode=300\nconfig=4\n", "graph1 [] ----"},
        {"[Main]\nvmode=-5\nconfig=-5\neagle=-1\n", "graph1 [] ----"},
        {"[Main]\nvmode=3x\nlanguage=99999999999999999999\nsmode=-2\n", "graph1 [] --?-"},
        {"[Other]\nvmode=3\nrom_dir=C:\\\n", "graph1 [] ----"},
        {"[Main]\nrom_dir=C:\\Jeux\\\xC9mul\\\n", "graph1 [C:\\Jeux\\\xC9mul\\] ----"},
    };
    for (const auto& [ini, shown] : cases) {
        SCOPED_TRACE(ini ? ini : "no file");
        Open(ini);
        EXPECT_EQ(Shown(), shown);
    }
}

// With no emulator directory stored, Setup says whose settings it shows.
TEST(SetupWithNoDirectoryStored, SaysWhereItsSettingsLive) {
    fakes::Program program;
    Frontend main{program.services(), program.host};
    program.host.Show(main);
    main.Setup_Click();
    const std::vector<std::string>& told = program.front.Of(*main.configDialog()).told;
    ASSERT_EQ(told.size(), 1u);
    const std::string file = platform::PathMap::System().WindowsDirectory() + "\\Hu-go!.ini";
    EXPECT_NE(told[0].find("\n" + file + "\n"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("Options > Directories"), std::string::npos) << told[0];
}

// What is shown is not the file's: OK writes only what the user changed.
TEST(SetupOnAFileInUse, SaysSoOverTheDialogAndWritesOnlyWhatChanged) {
    FakeSettings settings;
    settings.dir = "C:\\Emu\\";
    fakes::Starter starter;
    ini_test::Scripted profile; // held by another program: every call says so
    profile.code = platform::winerr::kSharingViolation;
    profile.failWrite = [](const char*) { return true; };
    fakes::Front front;
    forms::Host host{front};
    Frontend main{platform::Services{settings, starter, platform::PathMap::System(), profile},
                  host};
    const struct {
        const char* clicks;
        std::vector<std::string> written;
    } cases[] = {{"OKButton", {}}, {"graph3 OKButton", {"vmode"}}};
    for (const auto& c : cases) {
        profile.writtenKeys.clear();
        main.Setup_Click();
        fakes::View& dialog = front.Of(*main.configDialog());
        ASSERT_EQ(dialog.told.size(), 1u);
        EXPECT_EQ(dialog.told[0].rfind("\"C:\\Emu\\Hu-go!.ini\" could not be read:", 0), 0u);
        EXPECT_EQ(dialog.toldOffScreen, 0);
        std::istringstream clicks(c.clicks);
        for (std::string control; clicks >> control;) {
            dialog.Click(control);
        }
        EXPECT_EQ(profile.writtenKeys, c.written) << c.clicks;
    }
}

} // namespace
