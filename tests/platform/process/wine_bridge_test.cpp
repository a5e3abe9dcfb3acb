// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/cmdline_split.h"
#include "platform/process/wine_bridge.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

struct BridgeCase {
    const char* line; // after "H:\HUGO\hu-go!.exe"
    std::vector<std::string> argv;
};

class WineArgumentsTest : public ::testing::TestWithParam<BridgeCase> {};

// Drive H: over a layout with blanks, an ISO, directories of 8 and 9
// characters, a zip, an image at the root, and a "PC" beside "PC Engine Collection".
TEST_P(WineArgumentsTest, HandsEveryNamedFileOverWhole) {
    TempDir tmp;
    tmp.Write("H/Games/PC Engine Collection/Bonk's Adventure.pce");
    tmp.Write("H/Games/PC Engine Collection/Super Darius.iso");
    tmp.Write("H/Games/PC Engine Collection/two  blanks\ttab.pce");
    tmp.MakeDir("H/Games/PC");
    tmp.Write("H/Roms1234/pack.zip");
    tmp.Write("H/Roms12345/game.pce");
    tmp.Write("H/root.pce");
    const platform::PathMap map({{'H', tmp.native() + "/H", "H"}, {'Z', "/", "/"}});
    const std::string line = std::string("H:\\HUGO\\hu-go!.exe") + GetParam().line;
    const auto args = platform::SplitArgumentPieces(line, platform::ProgramPiece(line).end);
    EXPECT_EQ(platform::WineArguments(line, args, map), GetParam().argv) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WineArgumentsTest,
    ::testing::Values(BridgeCase{" H:\\Games\\PC Eng~1\\\\Bonk's Adventure.pce",
                                 {"H:\\Games\\PC Engine Collection\\Bonk's Adventure.pce"}},
                      BridgeCase{" -c2 -iH:\\Games\\PC Eng~1\\\\Super Darius.iso",
                                 {"-c2", "-iH:\\Games\\PC Engine Collection\\Super Darius.iso"}},
                      BridgeCase{" H:\\Games\\PC Eng~1\\\\two  blanks\ttab.pce",
                                 {"H:\\Games\\PC Engine Collection\\two  blanks\ttab.pce"}},
                      BridgeCase{" H:\\Roms1234\\\\pack.zip", {"H:\\Roms1234\\pack.zip"}},
                      BridgeCase{" H:\\Roms12~1\\\\game.pce", {"H:\\Roms12345\\game.pce"}},
                      BridgeCase{" H:\\\\\\root.pce", {"H:\\root.pce"}},
                      BridgeCase{" h:\\games\\pc eng~1\\\\BONK'S ADVENTURE.PCE",
                                 {"H:\\Games\\PC Engine Collection\\Bonk's Adventure.pce"}},
                      BridgeCase{" \"H:\\Games\\PC Eng~1\\Bonk's Adventure.pce\"",
                                 {"H:\\Games\\PC Engine Collection\\Bonk's Adventure.pce"}},
                      BridgeCase{" H:\\Games\\PC Eng~1\\", {"H:\\Games\\PC Engine Collection\\"}},
                      // What names nothing is split as Windows splits it; "PC" alone exists.
                      BridgeCase{" H:\\Games\\PC Eng~1\\\\gone.pce",
                                 {"H:\\Games\\PC", "Eng~1\\\\gone.pce"}},
                      BridgeCase{" -c2 \"a b\"  plain -i -iQ:\\x.iso",
                                 {"-c2", "a b", "plain", "-i", "-iQ:\\x.iso"}},
                      BridgeCase{" root.pce H:\\Roms1234\\\\pack.zip -x",
                                 {"root.pce", "H:\\Roms1234\\pack.zip", "-x"}},
                      BridgeCase{"", {}}));

} // namespace
