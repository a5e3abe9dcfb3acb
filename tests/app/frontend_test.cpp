// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"

#include "app/aboutfrontend.h"
#include "app/shortpath.h"
#include "config/confighugo.h"
#include "location/pathemulator.h"
#include "support/fake_view.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A main window started in a directory tree of the test's own.
class FrontendTest : public ::testing::Test {
protected:
    FrontendTest() {
        for (const char* name :
             {"GAME.PCE", "other.pce", "Mixed.Pce", "game.zip", "disc.iso", "notes.txt"}) {
            tree.Write(std::string("roms/") + name);
        }
        tree.Write("roms/Hudson Collection/Long image name.pce");
        program.host.Show(window);
    }
    fakes::View& view() { return program.front.Of(window); }
    void Store(const std::string& dir) {
        program.system.settings.values[{"Vorlanes", "HuGo", "Path"}] = dir;
    }
    std::string Roms() const {
        return platform::PathMap::System().ToSystem((tree.path() / "roms").string());
    }

    TempDir tree;
    InDirectory here{tree.MakeDir("roms")};
    fakes::Program program;
    Frontend window{program.services(), program.host};
};

TEST_F(FrontendTest, OpensOnTheCurrentDirectoryWithNothingStored) {
    EXPECT_EQ(view().Drive("Drive"), platform::DriveLetterOf(Roms()));
    EXPECT_EQ(view().Path("Dir"), Roms());
    EXPECT_EQ(view().Files(), (std::vector<std::string>{"disc.iso", "GAME.PCE", "game.zip",
                                                        "Mixed.Pce", "other.pce"}));
    EXPECT_EQ(window.emulatorDir(), "");
    EXPECT_TRUE(view().told.empty());
}

TEST_F(FrontendTest, TheDriveAndDirectoryListsLeadTheFileList) {
    view().OpenDir("Hudson Collection");
    EXPECT_EQ(view().Files(), std::vector<std::string>{"Long image name.pce"});
    view().SelectFile("Long image name.pce");
    view().OpenDir("roms");
    EXPECT_EQ(view().Files().size(), 5u);
    EXPECT_EQ(view().FileName("File"), "") << "a directory opened afresh selects nothing";
}

TEST_F(FrontendTest, GoStartsTheEmulatorOnTheSelectedImage) {
    const std::string roms = ShortPath(Roms() + "\\");
    const struct {
        const char* image;
        std::string started; // empty: nothing starts
    } cases[] = {
        {"", ""},
        {"disc.iso", "C:\\HUGO\\hu-go!.exe -c2 -i" + roms + "\\disc.iso"},
        {"GAME.PCE", "C:\\HUGO\\hu-go!.exe " + roms + "\\GAME.PCE"},
        {"Mixed.Pce", ""},
        {"game.zip", "C:\\HUGO\\hu-go!.exe " + roms + "\\game.zip"},
    };
    Store("C:\\HUGO\\");
    window.reload();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        program.system.starter.started.clear();
        view().SelectFile(c.image);
        view().Click("Go");
        EXPECT_EQ(program.system.starter.started, c.started.empty()
                                                      ? std::vector<std::string>{}
                                                      : std::vector<std::string>{c.started});
    }
    view().OpenDir("Hudson Collection");
    view().SelectFile("Long image name.pce");
    view().Click("Go");
    EXPECT_EQ(program.system.starter.started.back(),
              "C:\\HUGO\\hu-go!.exe " + roms + "Hudson~1\\\\Long image name.pce");
    EXPECT_TRUE(view().told.empty());
}

TEST_F(FrontendTest, AFailedStartIsToldAndPointsToTheDirectoriesWhenNoneIsStored) {
    program.system.starter.result = {false, "No such file or directory"};
    view().SelectFile("other.pce");
    for (const std::string stored : {"", "C:\\HUGO\\"}) {
        Store(stored);
        window.reload();
        view().Click("Go");
    }
    ASSERT_EQ(view().told.size(), 2u);
    for (const std::string& told : view().told) {
        EXPECT_EQ(told.rfind("The emulator could not be started.\n\n", 0), 0u) << told;
        EXPECT_NE(told.find("hu-go!.exe "), std::string::npos);
        EXPECT_NE(told.find("No such file or directory"), std::string::npos);
    }
    EXPECT_NE(view().told[0].find("Options > Directories"), std::string::npos);
    EXPECT_EQ(view().told[1].find("Options > Directories"), std::string::npos);
}

TEST_F(FrontendTest, AnUnreadableDirectoryIsReportedAndTheListsStay) {
    fs::remove_all(tree.path() / "roms/Hudson Collection");
    view().OpenDir("Hudson Collection");
    ASSERT_EQ(view().told.size(), 1u);
    // The system's reason follows, in the system's words.
    const std::string said = "The directory " + Roms() + "\\Hudson Collection cannot be read.\n\n";
    EXPECT_EQ(view().told[0].rfind(said, 0), 0u) << view().told[0];
    EXPECT_GT(view().told[0].size(), said.size());
    EXPECT_EQ(view().Path("Dir"), Roms());
    EXPECT_EQ(view().Files().size(), 5u);
}

TEST_F(FrontendTest, ReloadPicksUpANewlyStoredDirectory) {
    Store("D:\\Emu\\");
    EXPECT_EQ(window.emulatorDir(), "");
    window.reload();
    EXPECT_EQ(window.emulatorDir(), "D:\\Emu\\");
}

TEST_F(FrontendTest, EachDialogIsOneSharedInstanceLoadedAfreshAfterClosing) {
    view().Click("Directories");
    Pathemulator* dialog = window.pathDialog();
    ASSERT_NE(dialog, nullptr);
    program.front.Of(*dialog).SetText("Pathhugo", "typed");
    view().Click("Directories");
    EXPECT_EQ(window.pathDialog(), dialog);
    EXPECT_EQ(program.front.shown[dialog], 2) << "brought to the front";
    EXPECT_EQ(program.front.Of(*dialog).Text("Pathhugo"), "typed") << "not loaded again";

    program.front.Of(*dialog).Click("CancelButton");
    EXPECT_FALSE(dialog->Loaded());
    view().Click("Directories");
    EXPECT_TRUE(dialog->Loaded());
    EXPECT_EQ(program.front.Of(*dialog).Text("Pathhugo"), "") << "loaded afresh";
}

TEST_F(FrontendTest, QuitEndsTheProgramOnlyOnceTheLastDialogHasClosed) {
    view().Click("About");
    view().Click("Setup");
    view().Click("Quit");
    EXPECT_FALSE(window.Loaded());
    program.front.Of(*window.aboutDialog()).Click("OKButton");
    EXPECT_FALSE(program.front.quit);
    program.front.Of(*window.configDialog()).Click("CancelButton");
    EXPECT_TRUE(program.front.quit);
}

} // namespace
