// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/path_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST_F(PathemulatorTest, StoresTheShortFormAndTheNextLaunchUsesIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "\\"},
        {"D:\\Emu", "D:\\Emu\\"},
        {"D:\\Emu\\", "D:\\Emu\\"},
        {"C:\\Program Files\\Hu-Go", "C:\\Progra~1\\Hu-Go\\"},
        {"C:\\Emu\\hu-go!.exe", "C:\\Emu\\hu-go!~1\\"},
    };
    for (const auto& [typed, stored] : cases) {
        SCOPED_TRACE(typed);
        Ok(Open(), typed);
        EXPECT_EQ(Stored(), stored);
        EXPECT_EQ(main.emulatorDir(), stored) << "reloaded without a restart";
        EXPECT_FALSE(IsOpen());
    }
}

TEST_F(PathemulatorTest, LoadsTheStoredValueEachTimeItOpensAndCancelStoresNothing) {
    EXPECT_EQ(Open().Text("Pathhugo"), "");
    Store("D:\\Emu\\");
    Open().Click("CancelButton");
    fakes::View& dialog = Open();
    EXPECT_EQ(dialog.Text("Pathhugo"), "D:\\Emu\\");
    dialog.SetText("Pathhugo", "E:\\Edited");
    EXPECT_EQ(Open().Text("Pathhugo"), "E:\\Edited") << "raised again, not reloaded";
    Open().Click("CancelButton");
    EXPECT_EQ(Stored(), "D:\\Emu\\");
    EXPECT_EQ(Open().Text("Pathhugo"), "D:\\Emu\\");
}

TEST_F(PathemulatorTest, BrowseKeepsTheChosenFilesDirectory) {
    Store("D:\\Emu\\");
    fakes::View& dialog = Open();
    dialog.chosen = {"", "C:\\Emu\\hu-go!.exe", "C:\\" + std::string(300, 'd') + "\\x.exe"};
    dialog.Click("Browse");
    EXPECT_EQ(dialog.Text("Pathhugo"), "D:\\Emu\\") << "a cancelled choice changes nothing";
    dialog.Click("Browse");
    EXPECT_EQ(dialog.Text("Pathhugo"), "C:\\Emu\\");
    dialog.Click("Browse");
    EXPECT_EQ(dialog.Text("Pathhugo").size(), 3u + 300 + 1) << "any length";
    EXPECT_EQ(dialog.chooserShown, 3);
}

TEST_F(PathemulatorTest, ASaveTellsWhatFailedOrWasSetAside) {
    Store("D:\\Old\\");
    main.reload();
    program.system.settings.failSaves = true;
    fakes::View& failing = Open();
    Ok(failing, "D:\\New");
    EXPECT_TRUE(IsOpen());
    ASSERT_EQ(failing.told.size(), 1u);
    EXPECT_EQ(failing.told[0],
              "The emulator's directory D:\\New\\ could not be saved: the settings file is "
              "read-only.");
    EXPECT_EQ(main.emulatorDir(), "D:\\Old\\") << "no reload";
    failing.Click("CancelButton");

    // A directory the emulator could not be started from is not stored.
    program.system.settings.failSaves = false;
    fakes::View& refused = Open();
    Ok(refused, "D:\\Hu*Go");
    EXPECT_TRUE(IsOpen());
    ASSERT_EQ(refused.told.size(), 1u);
    EXPECT_NE(refused.told[0].find("(\"*\")"), std::string::npos) << refused.told[0];
    EXPECT_EQ(program.system.settings.Path(), "D:\\Old\\");
    refused.Click("CancelButton");

    program.system.settings.note = "The settings file was kept as Vorlanes.conf.damaged.";
    fakes::View& noting = Open();
    Ok(noting, "D:\\New");
    EXPECT_EQ(noting.told, std::vector<std::string>{program.system.settings.note});
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(main.emulatorDir(), "D:\\New\\");
}

TEST_F(PathemulatorTest, OkAfterTheMainWindowClosedSavesAndEndsTheProgram) {
    fakes::View& dialog = Open();
    program.front.Of(main).Click("Quit");
    EXPECT_FALSE(program.front.quit);
    Ok(dialog, "D:\\Emu");
    EXPECT_EQ(Stored(), "D:\\Emu\\");
    EXPECT_FALSE(main.Loaded()) << "the main window is not brought back";
    EXPECT_TRUE(program.front.quit);
}

} // namespace
