#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ini_text.h"

namespace ini = platform::ini;

namespace {

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
                           "KEY1=duplicate\r\n"
                           "key8=\r\n"
                           "=no key\r\n"
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
    std::optional<std::string> value;
};

class TrapsValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(TrapsValue, FindsWhatWindowsFinds) {
    const ValueCase& c = GetParam();
    const auto found = ini::FindValue(kTraps, c.section, c.key);
    ASSERT_EQ(found.has_value(), c.value.has_value());
    if (found) {
        EXPECT_EQ(std::string(*found), *c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parsing, TrapsValue,
    ::testing::Values(
        ValueCase{"Main", "Key1", "value one"}, ValueCase{"MAIN", "key1", "value one"},
        ValueCase{" Main\t", " key1 ", "value one"}, ValueCase{"Main", "key2", "quoted"},
        ValueCase{"Main", "key3", "single"}, ValueCase{"Main", "key4", "\"mismatched'"},
        ValueCase{"Main", "key5", "\""}, ValueCase{"Main", "key6", "a=b=c"},
        ValueCase{"Main", "key7", std::nullopt}, ValueCase{"Main", "; key7", std::nullopt},
        ValueCase{"Main", "bare line", std::nullopt}, ValueCase{"Main", "key8", ""},
        ValueCase{"Main", "", "no key"}, ValueCase{"Main", "key9", "  padded  "},
        ValueCase{"Main", "key10", std::nullopt}, ValueCase{"Main", "orphan", std::nullopt},
        ValueCase{"unterminated", "u", "1"}, ValueCase{"Other", "cr", "1"},
        ValueCase{"Other", "crlf", "2"}, ValueCase{"Other", "lf", "3"},
        ValueCase{"\xFC\x6E\xCF", "\xE9t\xE9", std::nullopt},
        ValueCase{"\xDC\x6E\xEF", "\xC9T\xC9", std::nullopt},
        ValueCase{"\xDC\x6E\xEF", "\xE9t\xE9", "\xFF\xFE"}, ValueCase{"", "nameless", "1"},
        ValueCase{"Last", "end", "no line break"}, ValueCase{"Missing", "key1", std::nullopt}));

TEST(TrapsSection, ListsEntriesTrimmedWithoutComments) {
    const auto entries = ini::SectionEntries(kTraps, "main");
    ASSERT_TRUE(entries.has_value());
    const std::vector<std::string> expected = {
        "Key1=value one", "key2=\"quoted\"", "key3='single'",      "key4=\"mismatched'",
        "key5=\"",        "key6=a=b=c",      "bare line",          "KEY1=duplicate",
        "key8=",          "=no key",         "key9=\"  padded  \""};
    EXPECT_EQ(*entries, expected);
    EXPECT_FALSE(ini::SectionEntries(kTraps, "Missing").has_value());
    EXPECT_TRUE(ini::SectionEntries("[Empty]\r\n; only a comment\r\n", "empty")->empty());
}

TEST(TrapsSection, NamesOnceInFileOrderWithoutUnnamed) {
    const auto names = ini::SectionNames(kTraps);
    const std::vector<std::string_view> expected = {"Main", "unterminated", "Other", "\xDC\x6E\xEF",
                                                    "Last"};
    EXPECT_EQ(names, expected);
}

struct EditCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class SetValueEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(SetValueEdit, ChangesOnlyTheOneLine) {
    const EditCase& c = GetParam();
    EXPECT_EQ(ini::SetValue(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Writing, SetValueEdit,
    ::testing::Values(
        EditCase{"KeepsSpellingPlaceAndEnding", "[Main]\r\n  VMode = 1 \r\n; c\r\nx=2\r\n", "main",
                 "vmode", "3", "[Main]\r\nVMode=3\r\n; c\r\nx=2\r\n"},
        EditCase{"NewKeyAfterLastEntry", "[A]\na=1\n\n; tail\n[B]\nb=1\n", "A", "c", "2",
                 "[A]\na=1\nc=2\n\n; tail\n[B]\nb=1\n"},
        EditCase{"NewKeyInEmptySection", "[A]\n\n[B]\n", "a", "k", "v", "[A]\nk=v\n\n[B]\n"},
        EditCase{"NewSectionAtEnd", "[A]\na=1\n", "B", "k", "v", "[A]\na=1\n[B]\nk=v\n"},
        EditCase{"NewFile", "", "Main", "vmode", "3", "[Main]\r\nvmode=3\r\n"},
        EditCase{"NoLineBreakAtEnd", "[A]\na=1", "A", "b", "2", "[A]\na=1\nb=2\n"},
        EditCase{"HeaderOnlyNoBreak", "[A]", "A", "k", "v", "[A]\r\nk=v\r\n"},
        EditCase{"SectionAfterTextWithoutBreak", "x=1", "A", "k", "v", "x=1\r\n[A]\r\nk=v\r\n"},
        EditCase{"CarriageReturnFile", "[A]\ra=1\r", "A", "b", "2", "[A]\ra=1\rb=2\r"},
        EditCase{"NamesTrimmedValueAsGiven", "", " Main\t", " vmode ", " 3 ",
                 "[Main]\r\nvmode= 3 \r\n"},
        EditCase{"FirstOfDuplicateSections", "[A]\na=1\n[a]\nb=1\n", "A", "b", "2",
                 "[A]\na=1\nb=2\n[a]\nb=1\n"},
        EditCase{"FirstOfDuplicateKeys", "[A]\nk=1\nk=2\n", "A", "K", "3", "[A]\nk=3\nk=2\n"},
        EditCase{"CommentedKeyIsNotTheKey", "[A]\n;k=1\n", "A", "k", "2", "[A]\nk=2\n;k=1\n"},
        EditCase{"EightBitBytesKept", "[\xC4]\n\xE9=\xFF\n[B]\n\x80\x81\n", "\xC4", "\xE9", "\xFE",
                 "[\xC4]\n\xE9=\xFE\n[B]\n\x80\x81\n"},
        EditCase{"EmptyValue", "[A]\r\nk=1\r\n", "A", "k", "", "[A]\r\nk=\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SectionCase {
    const char* name;
    std::string before;
    std::vector<std::string_view> entries;
    std::string after;
};

class ReplaceSectionEdit : public ::testing::TestWithParam<SectionCase> {};

TEST_P(ReplaceSectionEdit, GivenEntriesThenCommentsOthersUntouched) {
    const SectionCase& c = GetParam();
    EXPECT_EQ(ini::ReplaceSection(c.before, "S", c.entries), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Writing, ReplaceSectionEdit,
    ::testing::Values(
        SectionCase{"Replaces",
                    "[S]\r\nx=1\r\n; keep\r\ny=2\r\n\r\n[T]\r\nt=1\r\n",
                    {"a=1", "b=2"},
                    "[S]\r\na=1\r\nb=2\r\n; keep\r\n\r\n[T]\r\nt=1\r\n"},
        SectionCase{"Empties", "[T]\nt=1\n[s]\nx=1\n", {}, "[T]\nt=1\n[s]\n"},
        SectionCase{"Creates", "[T]\nt=1", {"a=1"}, "[T]\nt=1\n[S]\na=1\n"},
        SectionCase{"CreatesFile", "", {"a=1", "b"}, "[S]\r\na=1\r\nb\r\n"},
        SectionCase{"HeaderWithoutBreak", "[S]", {"a=1"}, "[S]\r\na=1\r\n"},
        SectionCase{"FirstOfDuplicates", "[S]\nx=1\n[S]\ny=2\n", {"z=3"}, "[S]\nz=3\n[S]\ny=2\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
