// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/path_fixture.h"

#include <gtest/gtest.h>

namespace {

// "C:\Progra~1\Hu-Go\" for "C:\Program Files (x86)\Hu-Go" leads into "Program
// Files" once that holds the "~1": asked, No keeps the dialog with its text.
TEST_F(PathemulatorTest, AsksBeforeStoringAShortFormThatLeadsElsewhere) {
    TempDir alone{TempDir::ShortNamed{}};
    alone.MakeDir("Program Files (x86)/Hu-Go");
    TempDir both{TempDir::ShortNamed{}};
    both.MakeDir("Program Files");
    both.MakeDir("Program Files (x86)/Hu-Go");
    const std::string aloneDir = platform::PathMap::System().ToSystem(alone.native());
    const std::string bothDir = platform::PathMap::System().ToSystem(both.native());

    Ok(Open(), aloneDir + "\\Program Files (x86)\\Hu-Go");
    EXPECT_EQ(Stored(), aloneDir + "\\Progra~1\\Hu-Go\\") << "leads where it should: not asked";
    Ok(Open(), bothDir + "\\Program Files (x86)\\Hu-Go\\x\\");
    EXPECT_EQ(Stored(), bothDir + "\\Progra~1\\Hu-Go\\x\\") << "does not exist: not asked";

    const std::string typed = bothDir + "\\Program Files (x86)\\Hu-Go";
    fakes::View& dialog = Open();
    Ok(dialog, typed);
    ASSERT_EQ(dialog.asked.size(), 1u);
    EXPECT_EQ(dialog.asked[0], bothDir + "\\Progra~1\\Hu-Go\\ leads to the directory\n" + bothDir +
                                   "\\Program Files\\Hu-Go\\\nnot to\n" + typed +
                                   "\\\nStore anyway?");
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(dialog.Text("Pathhugo"), typed);
    EXPECT_EQ(Stored(), bothDir + "\\Progra~1\\Hu-Go\\x\\") << "nothing stored";

    dialog.answer = true;
    dialog.Click("OKButton");
    EXPECT_EQ(Stored(), bothDir + "\\Progra~1\\Hu-Go\\");
    EXPECT_FALSE(IsOpen());
}

} // namespace
