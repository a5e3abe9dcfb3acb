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
    const std::string& line = program.system.starter.started.back();
    EXPECT_EQ(line, "C:\\HUGO\\hu-go!.exe " + roms + "Hudson~1\\\\Long image name.pce");
    // The starter is told which directory the short form was made from.
    const platform::KnownDirectory& known = program.system.starter.knownDirectories.back().at(0);
    EXPECT_EQ(line.substr(known.begin, known.end - known.begin), roms + "Hudson~1\\");
    EXPECT_EQ(known.directory, Roms() + "\\Hudson Collection\\");
    EXPECT_TRUE(view().told.empty());
}

// A failed start says why, and points to the directories when none is stored
// or the emulator is not where it is stored.
TEST_F(FrontendTest, AFailedStartSaysWhyAndWhatToDo) {
    const struct {
        const char* stored;
        bool missing;
        const char* says;
        bool pointsToDirectories;
    } cases[] = {
        {"", false, "\\other.pce\n\nNo such file or directory", true},
        {"C:\\HUGO\\", false, "\\other.pce\n\nNo such file or directory", false},
        {"C:\\HUGO\\", true, "There is no C:\\HUGO\\hu-go!.exe.", true},
        {"", true, "No emulator directory is stored", true},
    };
    view().SelectFile("other.pce");
    for (const auto& c : cases) {
        program.system.starter.result = {false, "No such file or directory", c.missing};
        Store(c.stored);
        window.reload();
        view().Click("Go");
        const std::string& told = view().told.back();
        EXPECT_EQ(told.rfind("The emulator could not be started.\n\n", 0), 0u) << told;
        EXPECT_NE(told.find(c.says), std::string::npos) << told;
        EXPECT_EQ(told.find("Options > Directories") != std::string::npos, c.pointsToDirectories)
            << told;
    }
}

// Started on a file another program is still writing, the emulator could
// read it torn: Go waits for it instead.
TEST_F(FrontendTest, GoStartsNothingWhileTheSettingsFileIsBeingWritten) {
    Store("C:\\HUGO\\");
    window.reload();
    view().SelectFile("other.pce");
    program.system.profile.settles = false;
    view().Click("Go");
    EXPECT_TRUE(program.system.starter.started.empty());
    ASSERT_EQ(view().told.size(), 1u);
    EXPECT_EQ(view().told[0], "\"C:\\HUGO\\Hu-go!.ini\" is being written by another program. "
                              "Press Go again in a moment.");
}

TEST_F(FrontendTest, AnUnreadableDirectoryIsReportedAndTheListsStay) {
    fs::remove_all(tree.path() / "roms/Hudson Collection");
    view().OpenDir("Hudson Collection");
    ASSERT_EQ(view().told.size(), 1u);
    // The system's reason after the sentence, in the system's own words.
    const std::string told = "The directory " + Roms() + "\\Hudson Collection cannot be read.\n\n";
    EXPECT_EQ(view().told[0].substr(0, told.size()), told);
    EXPECT_NE(view().told[0].back(), '\n');
    EXPECT_GT(view().told[0].size(), told.size());
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
