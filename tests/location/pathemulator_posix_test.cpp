// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/path_fixture.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

// What is stored leads where the user pointed, without a question: the short
// form where it does, the full name where an older sibling holds its "~1".
TEST_F(PathemulatorTest, StoresAFormThatLeadsToTheChosenDirectory) {
    TempDir tmp{TempDir::ShortNamed{}};
    tmp.MakeDir("Program Files/Hu-Go");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    tmp.MakeDir("Program Files (x86)/Hu-Go");
    tmp.MakeDir("Emulators Folder/Hu-Go");
    const std::string base = platform::PathMap::System().ToSystem(tmp.native());
    const std::pair<std::string, std::string> cases[] = {
        {"\\Emulators Folder\\Hu-Go", "\\Emulat~1\\Hu-Go\\"},
        {"\\Program Files (x86)\\Hu-Go", "\\Program Files (x86)\\Hu-Go\\"},
    };
    for (const auto& [typed, stored] : cases) {
        fakes::View& dialog = Open();
        Ok(dialog, base + typed);
        EXPECT_EQ(Stored(), base + stored);
        EXPECT_TRUE(dialog.asked.empty());
        EXPECT_FALSE(IsOpen());
    }
}

} // namespace
