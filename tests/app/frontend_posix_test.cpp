// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"
#include "support/fake_view.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(FrontendStart, AnUnreadableStartDirectoryIsToldBeforeFallingBackToTheDrivesRoot) {
    TempDir tree;
    // A "\\" in a name: the system path of this directory leads elsewhere, so it
    // cannot be listed even by a user whom permissions do not stop.
    const InDirectory here(tree.MakeDir("a\\b"));
    fakes::Program program;
    Frontend window(program.services(), program.host);
    program.host.Show(window);
    fakes::View& view = program.front.Of(window);
    EXPECT_EQ(view.Path("Dir"), "Z:\\");
    EXPECT_EQ(view.told,
              std::vector<std::string>{"The directory " +
                                       platform::PathMap::System().ToSystem(tree.path().string()) +
                                       "\\a\\b cannot be read.\n\nNo such file or directory"});
}

// A name the emulator could not open is refused with the reason, not handed on
// (Windows itself keeps no file of such a name).
TEST(FrontendGo, RefusesANameTheEmulatorCannotBeHanded) {
    TempDir tree;
    tree.Write("roms/CON.pce");
    const InDirectory here(tree.path() / "roms");
    fakes::Program program;
    Frontend window(program.services(), program.host);
    program.host.Show(window);
    fakes::View& view = program.front.Of(window);
    view.SelectFile("CON.pce");
    view.Click("Go");
    EXPECT_TRUE(program.system.starter.started.empty());
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_NE(view.told[0].find("\"CON.pce\" is a device name"), std::string::npos);
}

} // namespace
