#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"

namespace {

using ini_test::Profile;
using ini_test::ReadFile;
using ini_test::TempDir;
using ini_test::WriteFile;
using Strings = std::vector<std::string>;

const std::string kNoFile = "No filename specified";
const std::string kSizes = "Key array and Value array must be of the same size";
const std::string kUnknown = "An unknown error has occured";

// Stands in for the system: answers with programmed bytes and records what
// the class handed over.
class FakeProfile : public platform::ProfileFunctions {
public:
    std::string reply;
    std::uint32_t result = 0;
    std::uint32_t lastError = 0;
    const char* message = nullptr;
    int calls = 0;
    std::vector<std::uint32_t> sizes;
    std::string args; // the texts of the last call, each ended by "|"
    std::string entries;

    std::uint32_t GetPrivateProfileStringA(const char* s, const char* k, const char* d, char* b,
                                           std::uint32_t n, const char* f) override {
        args = std::string(s) + "|" + k + "|" + d + "|" + f + "|";
        return Answer(b, n);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* s, char* b, std::uint32_t n,
                                            const char* f) override {
        args = std::string(s) + "|" + f + "|";
        return Answer(b, n);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* b, std::uint32_t n, const char* f) override {
        args = std::string(f) + "|";
        return Answer(b, n);
    }
    std::int32_t WritePrivateProfileStringA(const char* s, const char* k, const char* v,
                                            const char* f) override {
        ++calls;
        args = std::string(s) + "|" + k + "|" + v + "|" + f + "|";
        return static_cast<std::int32_t>(result);
    }
    std::int32_t WritePrivateProfileSectionA(const char* s, const char* e, const char* f) override {
        ++calls;
        args = std::string(s) + "|" + f + "|";
        const char* end = e;
        while (*end)
            end += std::strlen(end) + 1;
        entries.assign(e, end + 1);
        return static_cast<std::int32_t>(result);
    }
    std::uint32_t GetLastError() override { return lastError; }
    std::uint32_t FormatMessageA(std::uint32_t flags, const void*, std::uint32_t id,
                                 std::uint32_t lang, char* b, std::uint32_t n, void*) override {
        sizes.push_back(n);
        args = std::to_string(flags) + "|" + std::to_string(id) + "|" + std::to_string(lang) + "|";
        if (message == nullptr)
            return 0;
        std::strcpy(b, message);
        return static_cast<std::uint32_t>(std::strlen(message));
    }

private:
    std::uint32_t Answer(char* buffer, std::uint32_t size) {
        ++calls;
        sizes.push_back(size);
        std::memcpy(buffer, reply.data(), std::min<std::size_t>(reply.size(), size));
        return result;
    }
};

struct Arguments {
    std::string value = "unchanged";
    Strings keys = {"k0"};
    Strings values = {"v0"};
    Strings names = {"n0"};
};

using Operation = std::function<bool(Tolv_CIni&, Arguments&)>;

struct OperationCase {
    const char* name;
    Operation run;
};

const OperationCase kOperations[] = {
    {"ReadValue", [](Tolv_CIni& c, Arguments& a) { return c.ReadValue("S", "k", a.value); }},
    {"ReadSection",
     [](Tolv_CIni& c, Arguments& a) { return c.ReadSection("S", a.keys, a.values); }},
    {"WriteValue", [](Tolv_CIni& c, Arguments&) { return c.WriteValue("S", "k", "v"); }},
    {"WriteSection",
     [](Tolv_CIni& c, Arguments& a) { return c.WriteSection("S", a.keys, a.values); }},
    {"Enum_SectionNames", [](Tolv_CIni& c, Arguments& a) { return c.Enum_SectionNames(a.names); }},
};

class EveryOperation : public ::testing::TestWithParam<OperationCase> {};

TEST_P(EveryOperation, WithoutFileNameFailsBeforeTheSystem) {
    FakeProfile fake;
    Tolv_CIni ini(fake);
    Arguments args;
    EXPECT_FALSE(GetParam().run(ini, args));
    EXPECT_EQ(ini.LastErrorDescription(), kNoFile);
    EXPECT_EQ(fake.calls, 0);
    EXPECT_EQ(ini.FileName(), "");
    EXPECT_EQ(args.value, "unchanged");
    EXPECT_EQ(args.keys, Strings{"k0"});
    EXPECT_EQ(args.values, Strings{"v0"});
    EXPECT_EQ(args.names, Strings{"n0"});
}

TEST_P(EveryOperation, SystemFailureKeepsArgumentsAndTakesTheText) {
    FakeProfile fake;
    fake.lastError = 5;
    fake.message = "Access is denied.\r\n";
    Tolv_CIni ini(fake);
    ini.FileName("  ");
    Arguments args;
    args.keys = {"k0"};
    args.values = {"v0"};
    EXPECT_FALSE(GetParam().run(ini, args));
    EXPECT_EQ(ini.LastErrorDescription(), "Access is denied.\r\n");
    EXPECT_EQ(fake.args, "4608|5|0|");
    EXPECT_EQ(fake.sizes.back(), 255u);
    EXPECT_EQ(args.value, "unchanged");
    EXPECT_EQ(args.names, Strings{"n0"});
}

INSTANTIATE_TEST_SUITE_P(Class, EveryOperation, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Description, CodeZeroUnknownCodeWithoutTextEmpty) {
    FakeProfile fake;
    Tolv_CIni ini(fake);
    ini.FileName("x.ini");
    std::string value;
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), kUnknown);
    fake.lastError = 0xDEAD;
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), "");
}

TEST(Description, StaysAfterALaterSuccess) {
    TempDir dir;
    Tolv_CIni ini(Profile());
    ini.FileName(dir.Path("missing/x.ini"));
    std::string value;
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), "The system cannot find the path specified.\r\n");
    ini.FileName(dir.Path("x.ini"));
    EXPECT_TRUE(ini.WriteValue("S", "k", "v"));
    EXPECT_TRUE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(value, "v");
    EXPECT_EQ(ini.LastErrorDescription(), "The system cannot find the path specified.\r\n");
}

TEST(ReadValue, BufferAndTexts) {
    FakeProfile fake;
    fake.reply = std::string("abc\0def", 7);
    fake.result = 7;
    Tolv_CIni ini(fake);
    ini.FileName(" f ");
    std::string value;
    EXPECT_TRUE(ini.ReadValue(" S ", " k ", value));
    EXPECT_EQ(value, "abc") << "up to the first NUL, whatever the count";
    EXPECT_EQ(fake.args, " S | k || f |");
    EXPECT_EQ(fake.sizes, std::vector<std::uint32_t>{255});
}

TEST(ReadValue, OnRealFiles) {
    TempDir dir;
    const std::string file = dir.Path("r.ini");
    WriteFile(file, "[Main]\r\nempty=\r\nlong=" + std::string(300, 'L') + "\r\nConfig=2\r\n");
    Tolv_CIni ini(Profile());
    ini.FileName(file);
    std::string value = "kept";
    EXPECT_FALSE(ini.ReadValue("Main", "empty", value));
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(ini.LastErrorDescription(), kUnknown);
    EXPECT_TRUE(ini.ReadValue("Main", "long", value));
    EXPECT_EQ(value, std::string(254, 'L'));
    EXPECT_TRUE(ini.ReadValue("main", "config", value));
    EXPECT_EQ(value, "2");
    EXPECT_FALSE(ini.ReadValue("Main", "absent", value));
    EXPECT_EQ(ini.LastErrorDescription(), "The system cannot find the file specified.\r\n");
}

struct ScanCase {
    const char* name;
    std::string reply;
    std::uint32_t count;
    Strings keys;
    Strings values;
};

class ReadSectionScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ReadSectionScan, SplitsAtFirstEqualsUpToTheCount) {
    const ScanCase& c = GetParam();
    FakeProfile fake;
    fake.reply = c.reply;
    fake.result = c.count;
    Tolv_CIni ini(fake);
    ini.FileName("f");
    Strings keys = {"old", "old", "old", "old", "old"};
    Strings values = {"old"};
    ASSERT_TRUE(ini.ReadSection("S", keys, values));
    EXPECT_EQ(keys, c.keys);
    EXPECT_EQ(values, c.values);
    EXPECT_EQ(fake.sizes, std::vector<std::uint32_t>{32767});
}

INSTANTIATE_TEST_SUITE_P(
    Class, ReadSectionScan,
    ::testing::Values(
        ScanCase{"Entries",
                 std::string("a=1\0b=x=y\0c=\0\0", 15),
                 13,
                 {"a", "b", "c"},
                 {"1", "x=y", ""}},
        ScanCase{"SpacesKept", std::string(" k = v \0\0", 9), 8, {" k "}, {" v "}},
        ScanCase{"WithoutEquals", std::string("bare\0a=1\0\0", 10), 9, {"bare", "a"}, {"", "1"}},
        ScanCase{"StopsAtCount", std::string("a=1\0b=2\0c=3\0\0", 13), 8, {"a", "b"}, {"1", "2"}},
        ScanCase{"EmptyKey", std::string("=v\0\0", 4), 3, {""}, {"v"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Enum_SectionNames, ScansLikeSectionsAndReplacesTheList) {
    FakeProfile fake;
    fake.reply = std::string("Main\0Extra\0\0", 12);
    fake.result = 11;
    Tolv_CIni ini(fake);
    ini.FileName("f");
    Strings names = {"a", "b", "c", "d"};
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (Strings{"Main", "Extra"}));
    EXPECT_EQ(fake.sizes, std::vector<std::uint32_t>{32767});
}

TEST(Lists, OnRealFiles) {
    TempDir dir;
    const std::string file = dir.Path("l.ini");
    WriteFile(file, "[Main]\r\na=1\r\nb=x=y\r\nc=\r\n[Extra]\r\nd=4\r\n");
    Tolv_CIni ini(Profile());
    ini.FileName(file);
    Strings keys, values, names;
    ASSERT_TRUE(ini.ReadSection("Main", keys, values));
    EXPECT_EQ(keys, (Strings{"a", "b", "c"}));
    EXPECT_EQ(values, (Strings{"1", "x=y", ""}));
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (Strings{"Main", "Extra"}));

    ini.FileName(dir.Path("none.ini"));
    EXPECT_FALSE(ini.ReadSection("Main", keys, values));
    EXPECT_FALSE(ini.Enum_SectionNames(names));
    EXPECT_EQ(keys, (Strings{"a", "b", "c"}));
    EXPECT_EQ(names, (Strings{"Main", "Extra"}));
    EXPECT_EQ(ini.LastErrorDescription(), "The system cannot find the file specified.\r\n");
}

struct WriteSectionCase {
    const char* name;
    Strings keys;
    Strings values;
    bool ok;
    std::string entries;
};

class WriteSectionList : public ::testing::TestWithParam<WriteSectionCase> {};

TEST_P(WriteSectionList, HandsOverTheEntriesUnchanged) {
    const WriteSectionCase& c = GetParam();
    FakeProfile fake;
    fake.result = 1;
    fake.lastError = 77;
    Tolv_CIni ini(fake);
    ini.FileName("f");
    EXPECT_EQ(ini.WriteSection("S", c.keys, c.values), c.ok);
    EXPECT_EQ(fake.calls, c.ok ? 1 : 0);
    EXPECT_EQ(fake.entries, c.entries);
    if (!c.ok) {
        EXPECT_EQ(ini.LastErrorDescription(), kSizes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Class, WriteSectionList,
    ::testing::Values(
        WriteSectionCase{"Pairs", {"a", "b"}, {"1", "2"}, true, std::string("a=1\0b=2\0\0", 9)},
        WriteSectionCase{"SpacesEqualsEmptyKey",
                         {" a ", "k=x", ""},
                         {" 1 ", "y", "v"},
                         true,
                         std::string(" a = 1 \0k=x=y\0=v\0\0", 18)},
        WriteSectionCase{"Empty", {}, {}, true, std::string("\0", 1)},
        WriteSectionCase{"TwoAgainstThree", {"a", "b"}, {"1", "2", "3"}, false, ""},
        WriteSectionCase{"OneAgainstNone", {"a"}, {}, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteSection, ReplacesOnRealFile) {
    TempDir dir;
    const std::string file = dir.Path("w.ini");
    const std::string other = "[Other]\r\nz=9\r\n";
    WriteFile(file, "[S]\r\nold=0\r\n; note\r\n" + other);
    Tolv_CIni ini(Profile());
    ini.FileName(file);
    ASSERT_TRUE(ini.WriteSection("S", {"a", "b"}, {"1", "2"}));
    EXPECT_EQ(ReadFile(file), "[S]\r\na=1\r\nb=2\r\n; note\r\n" + other);
    EXPECT_FALSE(ini.WriteSection("S", {"a", "b"}, {"1", "2", "3"}));
    EXPECT_EQ(ReadFile(file), "[S]\r\na=1\r\nb=2\r\n; note\r\n" + other);
    ASSERT_TRUE(ini.WriteSection("S", {}, {}));
    EXPECT_EQ(ReadFile(file), "[S]\r\n; note\r\n" + other);
}

TEST(WriteValue, HandsOverUnchangedAndWritesTheFile) {
    FakeProfile fake;
    fake.result = 1;
    Tolv_CIni ini(fake);
    ini.FileName("f");
    EXPECT_TRUE(ini.WriteValue(" S ", " k ", " v "));
    EXPECT_EQ(fake.args, " S | k | v |f|");

    TempDir dir;
    Tolv_CIni real(Profile());
    real.FileName(dir.Path("Hu-go!.ini"));
    ASSERT_TRUE(real.WriteValue("Main", "Config", "1"));
    ASSERT_TRUE(real.WriteValue("Main", "vmode", "3"));
    ASSERT_TRUE(real.WriteValue("main", "config", "2"));
    EXPECT_EQ(ReadFile(dir.Path("Hu-go!.ini")), "[Main]\r\nConfig=2\r\nvmode=3\r\n");
}

struct NulCase {
    const char* name;
    Operation run;
};

class EmbeddedNul : public ::testing::TestWithParam<NulCase> {};

TEST_P(EmbeddedNul, RefusedAsIncorrectParameter) {
    TempDir dir;
    const std::string file = dir.Path("n.ini");
    WriteFile(file, "[S]\r\nk=1\r\n");
    Tolv_CIni ini(Profile());
    ini.FileName(file);
    Arguments args;
    EXPECT_FALSE(GetParam().run(ini, args));
    EXPECT_EQ(ini.LastErrorDescription(), "The parameter is incorrect.\r\n");
    EXPECT_EQ(ReadFile(file), "[S]\r\nk=1\r\n");
    EXPECT_EQ(args.value, "unchanged");
}

const std::string kNul("k\0x", 3);

INSTANTIATE_TEST_SUITE_P(
    Class, EmbeddedNul,
    ::testing::Values(
        NulCase{"Value", [](Tolv_CIni& c, Arguments&) { return c.WriteValue("S", "k", kNul); }},
        NulCase{"Key", [](Tolv_CIni& c, Arguments& a) { return c.ReadValue("S", kNul, a.value); }},
        NulCase{"SectionEntry",
                [](Tolv_CIni& c, Arguments&) { return c.WriteSection("S", {kNul}, {"2"}); }},
        NulCase{"FileName",
                [](Tolv_CIni& c, Arguments&) {
                    c.FileName(c.FileName() + kNul);
                    return c.WriteValue("S", "k", "2");
                }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
