// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/cmdline_split.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsWindowsProgramsDo) {
    EXPECT_EQ(platform::SplitCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitCommandLineTest,
    ::testing::Values(SplitCase{"", {}},
                      SplitCase{"C:\\HUGO\\hu-go!.exe D:\\Jeux\\PC Eng~1\\\\game.pce",
                                {"C:\\HUGO\\hu-go!.exe", "D:\\Jeux\\PC", "Eng~1\\\\game.pce"}},
                      SplitCase{"C:\\HUGO\\hu-go!.exe -c2 -iD:\\CD\\\\disc.iso",
                                {"C:\\HUGO\\hu-go!.exe", "-c2", "-iD:\\CD\\\\disc.iso"}},
                      // The program name takes no backslash rules; a quote only groups.
                      SplitCase{"\"C:\\Program Files\\hu-go!.exe\" a",
                                {"C:\\Program Files\\hu-go!.exe", "a"}},
                      SplitCase{"p \"a b\" c", {"p", "a b", "c"}},
                      SplitCase{"p a\\\\\"b c\"", {"p", "a\\b c"}}, // 2n backslashes + quote
                      SplitCase{"p a\\\"b", {"p", "a\"b"}},         // 2n+1 backslashes + quote
                      SplitCase{"p a\\\\b\\", {"p", "a\\\\b\\"}},   // literal without a quote
                      SplitCase{"p\t a\tb  ", {"p", "a", "b"}},     // tabs separate too
                      SplitCase{"p \"\"", {"p", ""}},               // an empty quoted argument
                      SplitCase{"p \"a\"\"b\"", {"p", "a\"b"}}));

} // namespace
