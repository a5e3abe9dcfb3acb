// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/profile/ini_text.h"

namespace {

namespace ini = platform::ini;

// Every trap of the syntax in one file: comments, text before the first
// header, blanks and tabs, quotes, duplicates, all three line endings and
// bytes that are not ASCII.
const std::string kTraps = "; comment before any section\r\n"
                           "orphan=1\r\n"
                           "  [ Main ]   trailing text\r\n"
                           "Key1 = value one  \t\r\n"
                           "\tkey2\t=\t\"quoted\"\r\n"
                           "key3='single'\r\n"
                           "key4=\"mismatched'\r\n"
                           "key5=\"\r\n"
                           "key6=a=b=c\r\n"
                           " ; key7=commented\r\n"
                           "bare line\r\n"
                           "key11\r\n"
                           "key11=behind a key without value\r\n"
                           "KEY1=duplicate\r\n"
                           "key8=\r\n"
                           "=no key\r\n"
                           "\r\n"
                           "=dropped, as Wine drops it\r\n"
                           "key9= \"  padded  \" \r\n"
                           "\r\n"
                           "[main]\r\n"
                           "key10=in the second Main\r\n"
                           "[unterminated\r\n"
                           "u=1\r\n"
                           "[Other]\r"
                           "cr=1\r"
                           "crlf=2\r\n"
                           "lf=3\n"
                           "[\xDC\x6E\xEF]\n"
                           "\xE9t\xE9=\xFF\xFE\n"
                           "[]\n"
                           "nameless=1\n"
                           "[Last]\n"
                           "end=no line break";

struct ValueCase {
    const char* section;
    const char* key;
    std::optional<std::string_view> value;
};

class Traps : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Traps, ValueFoundAsWindowsFindsIt) {
    const auto& [section, key, value] = GetParam();
    EXPECT_EQ(ini::FindValue(kTraps, section, key), value);
    // A file read many times is looked up through its index instead.
    EXPECT_EQ(ini::SectionIndex(kTraps).FindValue(kTraps, section, key), value);
}

const std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Parsing, Traps,
    ::testing::Values(
        ValueCase{"Main", "Key1", "value one"}, ValueCase{"MAIN", "key1", "value one"},
        ValueCase{" Main\t", " key1 ", "value one"}, ValueCase{"Main", "key2", "quoted"},
        ValueCase{"Main", "key3", "single"}, ValueCase{"Main", "key4", "\"mismatched'"},
        ValueCase{"Main", "key5", "\""}, ValueCase{"Main", "key6", "a=b=c"},
        ValueCase{"Main", "key7", kNone}, ValueCase{"Main", "; key7", kNone},
        ValueCase{"Main", "bare line", kNone}, ValueCase{"Main", "key11", kNone},
        ValueCase{"Main", "key8", ""}, ValueCase{"Main", "", "no key"},
        ValueCase{"Main", "key9", "  padded  "}, ValueCase{"Main", "key10", kNone},
        ValueCase{"Main", "orphan", kNone}, ValueCase{"unterminated", "u", kNone},
        ValueCase{"Main", "[unterminated", kNone}, ValueCase{"Other", "cr", "1"},
        ValueCase{"Other", "crlf", "2"}, ValueCase{"Other", "lf", "3"},
        ValueCase{"\xFC\x6E\xCF", "\xE9t\xE9", kNone},
        ValueCase{"\xDC\x6E\xEF", "\xC9T\xC9", kNone},
        ValueCase{"\xDC\x6E\xEF", "\xE9t\xE9", "\xFF\xFE"}, ValueCase{"", "nameless", "1"},
        ValueCase{"Last", "end", "no line break"}, ValueCase{"Missing", "key1", kNone}));

TEST(TrapsLists, SectionEntriesTrimmedWithoutCommentsAndEveryHeaderNamed) {
    EXPECT_EQ(ini::SectionEntries(kTraps, "main"),
              (std::vector<std::string>{
                  "Key1=value one", "key2=\"quoted\"", "key3='single'", "key4=\"mismatched'",
                  "key5=\"", "key6=a=b=c", "bare line", "key11", "key11=behind a key without value",
                  "KEY1=duplicate", "key8=", "=no key", "key9=\"  padded  \""}));
    EXPECT_EQ(ini::SectionEntries(kTraps, "Missing"), std::nullopt);
    EXPECT_EQ(ini::SectionEntries("[Empty]\r\n; only a comment\r\n", "empty"),
              std::vector<std::string>{});
    EXPECT_EQ(ini::SectionNames(kTraps),
              (std::vector<std::string_view>{"Main", "main", "Other", "\xDC\x6E\xEF", "Last"}));
}

} // namespace
