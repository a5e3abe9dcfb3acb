// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

struct MatchCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class MatchesPatternTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchesPatternTest, MatchesMasksRegardlessOfCase) {
    EXPECT_EQ(platform::MatchesPattern(GetParam().name, GetParam().pattern), GetParam().matches);
}

constexpr const char* kImages = "*.pce;*.zip;*.iso";

INSTANTIATE_TEST_SUITE_P(
    Table, MatchesPatternTest,
    ::testing::Values(MatchCase{"GAME.PCE", kImages, true}, MatchCase{"game.pce", kImages, true},
                      MatchCase{"Game.Pce", kImages, true}, MatchCase{"disc.iso", kImages, true},
                      MatchCase{"game.zip", kImages, true}, MatchCase{"notes.txt", kImages, false},
                      MatchCase{"game.pce.bak", kImages, false}, MatchCase{"pce", kImages, false},
                      MatchCase{".pce", kImages, true}, MatchCase{"\xC9t\xE8.pce", kImages, true},
                      MatchCase{"a.b.c", "*.c", true}, MatchCase{"ab", "a?", true},
                      MatchCase{"a", "a?", false}, MatchCase{"x", ";;x;", true},
                      MatchCase{"anything", "*", true}, MatchCase{"xgame.pce", "*GAME.Pce", true},
                      MatchCase{"ce", "*.pce", false}, MatchCase{"a\xE9", "*\xC9", false},
                      MatchCase{"game.pce", "*.p?e", true}, MatchCase{"game.pce", "*.P*", true},
                      MatchCase{"game.pce", "g*.PCE", true},
                      MatchCase{"game.pcx", "*.p?e", false}));

TEST(MatchingFiles, ListsMatchingFilesInNameOrder) {
    platform::Listing listing;
    for (const char* name :
         {"notes.txt", "game.zip", "Game.Pce", "disc.iso", "game.pce", "GAME.PCE"}) {
        listing.entries.push_back({name, false});
    }
    listing.entries.push_back({"roms.pce", true}); // a directory is not a file
    const std::vector<std::string> files = platform::MatchingFiles(listing, kImages);
    EXPECT_EQ(files, (std::vector<std::string>{"disc.iso", "GAME.PCE", "Game.Pce", "game.pce",
                                               "game.zip"}));
    EXPECT_EQ(platform::Subdirectories(listing), std::vector<std::string>{"roms.pce"});
}

// Listings large enough to be sorted by buckets come out as name order says,
// over names that differ only in case, in length, or in bytes above 127, with
// or without a beginning they all share.
TEST(MatchingFiles, LargeListingsComeOutInNameOrder) {
    std::mt19937 random(20261208);
    const std::string letters = "aAbB_.~\xE9\xC9z";
    for (const auto& [size, prefix] : {std::pair{40, ""}, {300, ""}, {5000, ""}, {5000, "Game "}}) {
        platform::Listing listing;
        for (int i = 0; i < size; ++i) {
            std::string name(random() % 7, ' ');
            for (char& c : name) {
                c = letters[random() % letters.size()];
            }
            listing.entries.push_back({prefix + name, random() % 4 == 0});
        }
        std::vector<std::string> expected;
        for (const platform::DirEntry& e : listing.entries) {
            if (e.isDirectory) {
                expected.push_back(e.name);
            }
        }
        std::sort(expected.begin(), expected.end(), platform::NameLess);
        EXPECT_EQ(platform::Subdirectories(listing), expected) << size << " entries";
    }
}

} // namespace
