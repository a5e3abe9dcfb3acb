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

} // namespace
