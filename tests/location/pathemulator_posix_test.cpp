// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/path_fixture.h"

#include <gtest/gtest.h>

namespace {

// This program reads the stored form: a "~1" that an older sibling holds
// without the rest of the path still leads there, and is stored without a question.
TEST_F(PathemulatorTest, StoresTheShortFormWhereThisProgramFindsTheDirectory) {
    TempDir tmp{TempDir::ShortNamed{}};
    tmp.MakeDir("Emulation Tools");
    tmp.MakeDir("Emulators Folder/Hu-Go");
    const std::string base = platform::PathMap::System().ToSystem(tmp.native());
    fakes::View& dialog = Open();
    Ok(dialog, base + "\\Emulators Folder\\Hu-Go");
    EXPECT_EQ(Stored(), base + "\\Emulat~1\\Hu-Go\\");
    EXPECT_TRUE(dialog.asked.empty());
    EXPECT_FALSE(IsOpen());
}

} // namespace
