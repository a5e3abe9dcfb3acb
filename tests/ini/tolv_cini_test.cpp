// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"
#include "ini/wine_differences.h"

namespace {

using ini_test::ReadFile;
using Strings = std::vector<std::string>;

const std::string kNoFile = "No filename specified";
const std::string kSizes = "Key array and Value array must be of the same size";
const std::string kUnknown = "An unknown error has occured";
// Marks a call whose failure may be any but the missing file name.
const std::string kAnyButNoFile = "(any failure but a missing file name)";
using wine_differences::kMissingEntry;
using wine_differences::kNotFound;
using wine_differences::kParameter;
const std::string kFile =
    "[Main]\r\na=1\r\nb=x=y\r\nc=\r\nbare\r\n[Extra]\r\nlong=" + std::string(300, 'L') + "\r\n";

class Ini : public ::testing::Test {
protected:
    void SetUp() override {
        ini_test::WriteFile(file, kFile);
        ini.FileName(file);
    }
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    Tolv_CIni ini{ini_test::Profile()};
    std::string value = "kept";
    Strings keys{"kept"}, values{"kept"}, names{"kept"};
};

TEST_F(Ini, FailuresKeepOutputsAndFileAndTheirDescriptionSticks) {
    const std::string nul("k\0x", 3);
    const std::string none = dir.Path("none.ini");
    const Strings ab{"a", "b"}, abc{"a", "b", "c"};
    const struct {
        std::string fileName;
        std::function<bool()> call;
        std::string description;
    } calls[] = {
        {file, [&] { return ini.ReadValue("Main", "c", value); }, kUnknown}, // empty: code 0
        {file, [&] { return ini.ReadValue("Main", "none", value); }, kMissingEntry},
        {file, [&] { return ini.WriteSection("Main", ab, abc); }, kSizes}, // 0..1 against 0..2
        {file, [&] { return ini.WriteSection("Main", abc, ab); }, kSizes},
        {file, [&] { return ini.WriteValue("Main", "a", nul); }, kParameter},
        {file, [&] { return ini.ReadValue("Main", nul, value); }, kParameter},
        {file, [&] { return ini.WriteSection(nul, {"a"}, {"2"}); }, kParameter},
        {file, [&] { return ini.WriteSection("Main", {"a"}, {nul}); }, kParameter},
        {file + nul, [&] { return ini.WriteValue("Main", "a", "2"); }, kParameter},
        {none, [&] { return ini.ReadSection("Main", keys, values); }, kNotFound},
        {none, [&] { return ini.Enum_SectionNames(names); }, kNotFound},
        // Without a file name the system is not asked: it would deny access.
        {"", [&] { return ini.ReadValue("Main", "a", value); }, kNoFile},
        {"", [&] { return ini.ReadSection("Main", keys, values); }, kNoFile},
        {"", [&] { return ini.WriteValue("Main", "a", "2"); }, kNoFile},
        {"", [&] { return ini.WriteSection("Main", {"a"}, {"2"}); }, kNoFile},
        {"", [&] { return ini.WriteSection("Main", ab, abc); }, kNoFile}, // before the sizes
        // A name all the same: the system's own failure, whichever it is.
        {" ", [&] { return ini.ReadValue("Main", "a", value); }, kAnyButNoFile},
        {"", [&] { return ini.Enum_SectionNames(names); }, kNoFile},
    };
    for (const auto& [fileName, call, description] : calls) {
        ini.FileName(fileName);
        EXPECT_FALSE(call()) << description;
        if (description == kAnyButNoFile)
            EXPECT_NE(ini.LastErrorDescription(), kNoFile);
        else
            EXPECT_EQ(ini.LastErrorDescription(), description);
    }
    EXPECT_EQ(ini.FileName(), "");
    EXPECT_EQ((std::vector<Strings>{{value}, keys, values, names}),
              std::vector(4, Strings{"kept"}));
    EXPECT_EQ(ReadFile(file), kFile);
    ini.FileName(file);
    EXPECT_TRUE(ini.ReadValue("Main", "a", value));
    EXPECT_EQ(ini.LastErrorDescription(), kNoFile);
}

TEST_F(Ini, ReadsAndWritesPassTextsThroughUnchanged) {
    ASSERT_TRUE(ini.ReadValue("Extra", "long", value));
    EXPECT_EQ(value, std::string(254, 'L'));
    ASSERT_TRUE(ini.ReadSection("main", keys, values));
    EXPECT_EQ(keys, (Strings{"a", "b", "c", "bare"}));
    EXPECT_EQ(values, (Strings{"1", "x=y", "", ""}));
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (Strings{"Main", "Extra"}));
    ASSERT_TRUE(ini.WriteSection("Main", {"a", "b"}, {"1", "2"}));
    ASSERT_TRUE(ini.WriteValue(" Extra ", " k ", " v "));
    ASSERT_TRUE(ini.WriteSection("New", {}, {}));
    ASSERT_TRUE(ini.WriteSection("Spaces", {" a ", "k=x", ""}, {" 1 ", "y", "v"}));
    const std::string head = "[Main]\r\na=1\r\nb=2\r\n[Extra]\r\nlong=" + std::string(300, 'L');
    EXPECT_EQ(ReadFile(file),
              wine_differences::Windows(
                  head + "\r\nk= v \r\n[New]\r\n[Spaces]\r\n a = 1 \r\nk=x=y\r\n=v\r\n",
                  head + "\r\nk=v\r\n[Spaces]\r\na =1 \r\nk=x=y\r\n=v\r\n"));
    EXPECT_EQ(ini.LastErrorDescription(), "");
}

// Setup's OK: the writes between BeginWrites and EndWrites reach the file
// together, the file reading as it was until then; a refused one is left out
// and the rest land. What a killed OK left beside the file goes.
TEST_F(Ini, WritesHeldUntilEndReachTheFileTogether) {
    ini_test::WriteFile(dir.Path(".Hu-go!.ini.tmp~"), "left by a killed OK");
    const std::string nul("k\0x", 3);
    const struct {
        std::string key, value;
        bool accepted;
    } writes[] = {{"a", "2", true}, {"new", "3", true}, {nul, "4", false}, {"c", "5", true}};
    ini.BeginWrites();
    for (const auto& w : writes)
        EXPECT_EQ(ini.WriteValue("Main", w.key, w.value), w.accepted) << w.key;
    EXPECT_EQ(ReadFile(file), kFile);
    ASSERT_TRUE(ini.EndWrites());
    for (const auto& w : writes) {
        if (w.accepted) {
            ASSERT_TRUE(ini.ReadValue("Main", w.key, value)) << w.key;
            EXPECT_EQ(value, w.value);
        }
    }
    EXPECT_NE(ReadFile(file).find("long=" + std::string(300, 'L')), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 1);
}

// What the platform hands back reaches the caller as it is: the full 32767
// characters of a section or of the names, keys with their blanks, and no
// text for a code the system has none for.
TEST(IniPlatform, ResultsPassedOnWhole) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("big.ini");
    // 32765 characters of entries and of names: each fits with one to spare
    // (an exact fit counts as cut short on some systems).
    std::string big = "[S]\r\n", names;
    for (int i = 0; i < 2730; ++i)
        big += "k" + std::to_string(1000 + i) + "=vvvvv\r\n"; // 12 with its NUL
    big += "z=" + std::string(32765 - 2730 * 12 - 3, 'z') + "\r\n";
    for (int i = 0; i < 5460; ++i)
        names += "[" + std::to_string(10000 + i) + "]\r\n"; // 6 with its NUL
    names += "[nn]\r\n";                                    // after "S": 2 + 5460 * 6 + 3
    ini_test::WriteFile(file, big + names);
    ini_test::Scripted profile;
    Tolv_CIni ini(profile);
    ini.FileName(file);
    Strings keys, values, found;
    ASSERT_TRUE(ini.ReadSection("S", keys, values));
    ASSERT_EQ(values.size(), 2731u);
    EXPECT_EQ(values.back(), std::string(32765 - 2730 * 12 - 3, 'z'));
    ASSERT_TRUE(ini.Enum_SectionNames(found));
    ASSERT_EQ(found.size(), 5462u); // S too
    EXPECT_EQ(found.back(), "nn");

    profile.section = std::string(" a = 1 \0b\t=2\0\0", 14);
    ASSERT_TRUE(ini.ReadSection("S", keys, values));
    EXPECT_EQ(keys, (Strings{" a ", "b\t"}));
    EXPECT_EQ(values, (Strings{" 1 ", "2"}));

    std::string value;
    for (const auto& [code, text] : std::vector<std::pair<std::uint32_t, std::string>>{
             {0xDEAD, ""}, {5, wine_differences::kAccessDenied}}) {
        profile.code = code;
        EXPECT_FALSE(ini.ReadValue("S", "none", value));
        EXPECT_EQ(ini.LastErrorDescription(), text);
    }
}

} // namespace
