#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "ini/ini_test_files.h"
#include "platform/profile_errors.h"

namespace {

using ini_test::Profile;
using ini_test::ReadFile;
using ini_test::TempDir;
using ini_test::WriteFile;
namespace fs = std::filesystem;

constexpr char kGuard = 'X';

// A buffer of exactly `size` bytes (so that the sanitizer sees any overrun),
// pre-filled so that untouched bytes show.
std::vector<char> Buffer(std::uint32_t size) {
    return std::vector<char>(size, kGuard);
}

std::string Bytes(const std::vector<char>& buffer, std::size_t count) {
    return std::string(buffer.data(), count);
}

// Runs body in a forked child and gives back its exit status (200+ for a signal).
int InChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

constexpr int kSkipped = 254;
constexpr int kDamaged = 253;

// Root is not stopped by permission bits; an ordinary user already is.
bool BecomeNobody() {
    return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
}

// A private mount namespace with a small tmpfs on dir; false where the
// machine does not allow it.
bool MountSmallTmpfs(const std::string& dir, const char* size) {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", dir.c_str(), "tmpfs", 0, size) == 0;
}

struct ValueSizeCase {
    std::string value;
    std::uint32_t size;
    std::uint32_t count;
    std::uint32_t lastError;
};

class ValueSize : public ::testing::TestWithParam<ValueSizeCase> {};

TEST_P(ValueSize, CopiesAtMostSizeMinusOne) {
    const ValueSizeCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.Path("v.ini");
    WriteFile(file, "[S]\r\nk=" + c.value + "\r\n");
    auto buffer = Buffer(c.size);
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "", buffer.data(), c.size, file.c_str()),
              c.count);
    EXPECT_EQ(Profile().GetLastError(), c.lastError);
    if (c.size > 0) {
        EXPECT_EQ(Bytes(buffer, c.count), c.value.substr(0, c.count));
        EXPECT_EQ(buffer[c.count], '\0');
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ValueSize,
    ::testing::Values(ValueSizeCase{"abcd", 0, 0, 234}, ValueSizeCase{"abcd", 1, 0, 234},
                      ValueSizeCase{"abcd", 2, 1, 234}, ValueSizeCase{"abcd", 3, 2, 234},
                      ValueSizeCase{"abcd", 4, 3, 234}, ValueSizeCase{"abcd", 5, 4, 0},
                      ValueSizeCase{std::string(254, 'v'), 255, 254, 0},
                      ValueSizeCase{std::string(255, 'v'), 255, 254, 234},
                      ValueSizeCase{std::string(300, 'v'), 255, 254, 234}));

struct ListSizeCase {
    std::uint32_t size;
    std::uint32_t count;
    std::string bytes; // the first count+2 bytes of the buffer
    std::uint32_t lastError;
};

// The list "a=1\0b=22\0" plus its closing NUL needs 10 bytes.
class ListSize : public ::testing::TestWithParam<ListSizeCase> {};

TEST_P(ListSize, SectionAndNamesCutLastEntryAtSizeMinusTwo) {
    const ListSizeCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.Path("l.ini");
    WriteFile(file, "[S]\na=1\nb = 22\n[a=1]\n[b=22]\n");
    auto section = Buffer(c.size);
    EXPECT_EQ(Profile().GetPrivateProfileSectionA("S", section.data(), c.size, file.c_str()),
              c.count);
    EXPECT_EQ(Profile().GetLastError(), c.lastError);
    auto names = Buffer(c.size);
    WriteFile(file, "[a=1]\n[b=22]\n");
    EXPECT_EQ(Profile().GetPrivateProfileSectionNamesA(names.data(), c.size, file.c_str()),
              c.count);
    EXPECT_EQ(Profile().GetLastError(), c.lastError);
    const std::size_t shown = std::min<std::size_t>(c.bytes.size(), c.size);
    EXPECT_EQ(Bytes(section, shown), c.bytes.substr(0, shown));
    EXPECT_EQ(Bytes(names, shown), c.bytes.substr(0, shown));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ListSize,
    ::testing::Values(ListSizeCase{11, 9, std::string("a=1\0b=22\0\0X", 11), 0},
                      ListSizeCase{10, 9, std::string("a=1\0b=22\0\0", 10), 0},
                      ListSizeCase{9, 7, std::string("a=1\0b=2\0\0", 9), 234},
                      ListSizeCase{4, 2, std::string("a=\0\0", 4), 234},
                      ListSizeCase{2, 0, std::string("\0\0", 2), 234},
                      ListSizeCase{1, 0, std::string("\0", 1), 234}, ListSizeCase{0, 0, "", 234}));

TEST(MissingFile, ReadsGiveNothingAndCodeTwo) {
    TempDir dir;
    const std::string file = dir.Path("none.ini");
    auto buffer = Buffer(16);
    EXPECT_EQ(Profile().GetPrivateProfileSectionNamesA(buffer.data(), 16, file.c_str()), 0u);
    EXPECT_EQ(Profile().GetLastError(), 2u);
    EXPECT_EQ(Bytes(buffer, 2), std::string("\0X", 2)) << "a single NUL";
    EXPECT_EQ(Profile().GetPrivateProfileSectionA("S", buffer.data(), 16, file.c_str()), 0u);
    EXPECT_EQ(Profile().GetLastError(), 2u);
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "", buffer.data(), 16, file.c_str()),
              0u);
    EXPECT_EQ(Profile().GetLastError(), 2u);
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "dflt", buffer.data(), 16, file.c_str()),
              4u);
    EXPECT_STREQ(buffer.data(), "dflt");
    EXPECT_FALSE(fs::exists(file));
}

struct ReadErrorCase {
    const char* name;
    const char* section;
    const char* key;
    std::uint32_t lastError;
    std::uint32_t count;
};

class ReadError : public ::testing::TestWithParam<ReadErrorCase> {};

// "file" is an INI file, "dir" a directory, "void" nothing at all.
TEST_P(ReadError, CodeOfEachOutcome) {
    const ReadErrorCase& c = GetParam();
    TempDir dir;
    WriteFile(dir.Path("file"), "[S]\nk=value\nempty=\n[Empty]\n;c\n");
    fs::create_directory(dir.Path("dir"));
    const std::string name = *c.name ? dir.Path(c.name) : std::string();
    auto buffer = Buffer(64);
    EXPECT_EQ(
        Profile().GetPrivateProfileStringA(c.section, c.key, "", buffer.data(), 64, name.c_str()),
        c.count);
    EXPECT_EQ(Profile().GetLastError(), c.lastError);
}

INSTANTIATE_TEST_SUITE_P(Errors, ReadError,
                         ::testing::Values(ReadErrorCase{"file", "S", "k", 0, 5},
                                           ReadErrorCase{"file", "S", "empty", 0, 0},
                                           ReadErrorCase{"file", "S", "missing", 2, 0},
                                           ReadErrorCase{"file", "Missing", "k", 2, 0},
                                           ReadErrorCase{"void", "S", "k", 2, 0},
                                           ReadErrorCase{"void/x.ini", "S", "k", 3, 0},
                                           ReadErrorCase{"file/x.ini", "S", "k", 3, 0},
                                           ReadErrorCase{"dir", "S", "k", 5, 0},
                                           ReadErrorCase{"a*.ini", "S", "k", 123, 0}));

TEST(ReadError, SectionCodes) {
    TempDir dir;
    const std::string file = dir.Path("s.ini");
    WriteFile(file, "[Empty]\n;c\n[Full]\na=1\n");
    auto buffer = Buffer(64);
    EXPECT_EQ(Profile().GetPrivateProfileSectionA("Empty", buffer.data(), 64, file.c_str()), 0u);
    EXPECT_EQ(Profile().GetLastError(), 0u);
    EXPECT_EQ(Profile().GetPrivateProfileSectionA("None", buffer.data(), 64, file.c_str()), 0u);
    EXPECT_EQ(Profile().GetLastError(), 2u);
    EXPECT_EQ(Profile().GetPrivateProfileSectionA("Full", buffer.data(), 64, ""), 0u);
    EXPECT_EQ(Profile().GetLastError(), 5u);
}

struct WriteErrorCase {
    const char* name;
    std::uint32_t lastError;
};

class WriteError : public ::testing::TestWithParam<WriteErrorCase> {};

TEST_P(WriteError, FailsAndChangesNothing) {
    const WriteErrorCase& c = GetParam();
    TempDir dir;
    const std::string before = "[S]\r\nk=old\r\n";
    WriteFile(dir.Path("readonly"), before);
    fs::permissions(dir.Path("readonly"), fs::perms(0444));
    fs::create_directory(dir.Path("dir"));
    WriteFile(dir.Path("file"), before);
    const std::string name = *c.name ? dir.Path(c.name) : std::string();
    EXPECT_EQ(Profile().WritePrivateProfileStringA("S", "k", "new", name.c_str()), 0);
    EXPECT_EQ(Profile().GetLastError(), c.lastError);
    EXPECT_EQ(ReadFile(dir.Path("readonly")), before);
    EXPECT_EQ(ReadFile(dir.Path("file")), before);
    EXPECT_FALSE(fs::exists(dir.Path("void")));
}

INSTANTIATE_TEST_SUITE_P(Errors, WriteError,
                         ::testing::Values(WriteErrorCase{"readonly", 5}, WriteErrorCase{"dir", 5},
                                           WriteErrorCase{"", 5}, WriteErrorCase{"void/x.ini", 3},
                                           WriteErrorCase{"file/x.ini", 3},
                                           WriteErrorCase{"x?.ini", 123}));

struct InjectionCase {
    const char* section;
    const char* key;
    const char* value;
    bool entryRefused = true; // as "key=value" in a section's entries
};

class Injection : public ::testing::TestWithParam<InjectionCase> {};

TEST_P(Injection, RefusedWithCode87) {
    const InjectionCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.Path("i.ini");
    const std::string before = "[S]\r\nk=1\r\n[T]\r\nt=1\r\n";
    WriteFile(file, before);
    EXPECT_EQ(Profile().WritePrivateProfileStringA(c.section, c.key, c.value, file.c_str()), 0);
    EXPECT_EQ(Profile().GetLastError(), 87u);
    const std::string entries = std::string(c.key) + "=" + c.value + '\0';
    if (c.entryRefused) {
        EXPECT_EQ(Profile().WritePrivateProfileSectionA(c.section, entries.c_str(), file.c_str()),
                  0);
        EXPECT_EQ(Profile().GetLastError(), 87u);
    }
    EXPECT_EQ(ReadFile(file), before);
    const std::string fresh = dir.Path("fresh.ini");
    EXPECT_EQ(Profile().WritePrivateProfileStringA(c.section, c.key, c.value, fresh.c_str()), 0);
    EXPECT_FALSE(fs::exists(fresh));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Injection,
    ::testing::Values(InjectionCase{"S", "k", "1\r\n[T]\r\nt=evil"},
                      InjectionCase{"S", "k", "1\nx=2"}, InjectionCase{"S", "k", "1\rx=2"},
                      InjectionCase{"S", "k\r\nx", "1"}, InjectionCase{"S]\r\n[T", "t", "evil"},
                      InjectionCase{"S", "[T]", "x"}, InjectionCase{"S", "vmode=3", "x", false},
                      InjectionCase{"S", " ;k", "x", false}, InjectionCase{"T]x", "t", "evil"}));

TEST(Message, EnglishTextsWithLineBreakUnknownCodeWritesNothing) {
    const std::pair<std::uint32_t, const char*> texts[] = {
        {2, "The system cannot find the file specified.\r\n"},
        {3, "The system cannot find the path specified.\r\n"},
        {5, "Access is denied.\r\n"},
        {19, "The media is write protected.\r\n"},
        {32, "The process cannot access the file because it is being used by another process.\r\n"},
        {87, "The parameter is incorrect.\r\n"},
        {112, "There is not enough space on the disk.\r\n"},
        {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
        {206, "The filename or extension is too long.\r\n"},
        {234, "More data is available.\r\n"}};
    std::uint32_t zero = 0;
    for (const auto& [code, text] : texts) {
        auto buffer = Buffer(255);
        EXPECT_EQ(Profile().FormatMessageA(0x1200, &zero, code, 0, buffer.data(), 255, &zero),
                  std::strlen(text));
        EXPECT_STREQ(buffer.data(), text);
    }
    auto buffer = Buffer(255);
    EXPECT_EQ(Profile().FormatMessageA(0x1200, nullptr, 0xDEAD, 0, buffer.data(), 255, nullptr),
              0u);
    EXPECT_EQ(buffer[0], kGuard);
    EXPECT_EQ(Profile().GetLastError(), 317u);
}

TEST(Writing, HandEditedFileKeepsEveryOtherByte) {
    TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    const std::string head = "; written by hand\r\n\r\n[Main]  ; the emulator's own\r\n"
                             "\tvmode   =  0\r\nLanguage=1\r\n";
    const std::string tail = "smode=-1\r\n\r\n; \xE9t\xE9 \xFF\r\n[Other]\nx = \"q\"\n";
    WriteFile(file, head + "rom_dir = C:\\ROMS\\ \r\n" + tail);
    ASSERT_NE(Profile().WritePrivateProfileStringA("MAIN", "ROM_DIR", "D:\\GAMES\\", file.c_str()),
              0);
    EXPECT_EQ(Profile().GetLastError(), 0u);
    EXPECT_EQ(ReadFile(file), head + "rom_dir=D:\\GAMES\\\r\n" + tail);
    ASSERT_NE(Profile().WritePrivateProfileStringA("Main", "new", "1", file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), head + "rom_dir=D:\\GAMES\\\r\n" + "smode=-1\r\nnew=1\r\n" +
                                  "\r\n; \xE9t\xE9 \xFF\r\n[Other]\nx = \"q\"\n");
}

TEST(Writing, NewFileAndRelativeName) {
    TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ASSERT_NE(Profile().WritePrivateProfileStringA("Main", "vmode", "3", file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "[Main]\r\nvmode=3\r\n");
    EXPECT_EQ(InChild([&] {
                  return ::chdir(dir.Root().c_str()) == 0 &&
                                 Profile().WritePrivateProfileStringA("Main", "vmode", "4",
                                                                      "Hu-go!.ini") != 0
                             ? 0
                             : 1;
              }),
              0);
    EXPECT_EQ(ReadFile(file), "[Main]\r\nvmode=4\r\n");
}

TEST(Writing, RemovesKeyAndSection) {
    TempDir dir;
    const std::string file = dir.Path("r.ini");
    WriteFile(file, "[A]\na=1\nb=2\n[B]\nc=3\n");
    ASSERT_NE(Profile().WritePrivateProfileStringA("A", "a", nullptr, file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "[A]\nb=2\n[B]\nc=3\n");
    ASSERT_NE(Profile().WritePrivateProfileStringA("a", nullptr, nullptr, file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "[B]\nc=3\n");
    ASSERT_NE(Profile().WritePrivateProfileSectionA("b", nullptr, file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "");
    ASSERT_NE(Profile().WritePrivateProfileStringA("A", "a", nullptr, dir.Path("no.ini").c_str()),
              0);
    EXPECT_FALSE(fs::exists(dir.Path("no.ini")));
}

TEST(Writing, ThroughSymlinkKeepsLinkModeAndNoLeftovers) {
    TempDir dir;
    fs::create_directory(dir.Path("real"));
    const std::string target = dir.Path("real/t.ini");
    WriteFile(target, "[S]\nk=1\n");
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink("real/t.ini", dir.Path("link.ini"));
    ASSERT_NE(Profile().WritePrivateProfileStringA("S", "k", "2", dir.Path("link.ini").c_str()), 0);
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.ini")));
    EXPECT_EQ(ReadFile(target), "[S]\nk=2\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path("real")))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(Writing, LeftoverOfAKilledWriterIsCleared) {
    TempDir dir;
    const std::string file = dir.Path("k.ini");
    WriteFile(file, "[S]\nk=1\n");
    WriteFile(dir.Path(".k.ini.tmp~"), "[S]\nk=half");
    ASSERT_NE(Profile().WritePrivateProfileStringA("S", "k", "2", file.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "[S]\nk=2\n");
    EXPECT_FALSE(fs::exists(dir.Path(".k.ini.tmp~")));
}

// Run in a child that sees the permission bits as a user does.
TEST(Unprivileged, AccessDeniedAndInPlaceFallback) {
    TempDir dir;
    fs::permissions(dir.Root(), fs::perms(0777));
    const std::string secret = dir.Path("secret.ini");
    WriteFile(secret, "[S]\nk=1\n");
    fs::permissions(secret, fs::perms(0));
    fs::create_directory(dir.Path("locked"));
    const std::string inLocked = dir.Path("locked/w.ini");
    WriteFile(inLocked, "[S]\nk=1\n; keep\n");
    fs::permissions(inLocked, fs::perms(0666));
    fs::permissions(dir.Path("locked"), fs::perms(0555));

    EXPECT_EQ(
        InChild([&]() -> int {
            if (!BecomeNobody())
                return kSkipped;
            char buffer[16];
            if (Profile().GetPrivateProfileStringA("S", "k", "", buffer, 16, secret.c_str()) != 0)
                return 1;
            return static_cast<int>(Profile().GetLastError());
        }),
        5);
    EXPECT_EQ(InChild([&]() -> int {
                  if (!BecomeNobody())
                      return kSkipped;
                  if (Profile().WritePrivateProfileStringA("S", "k", "2", inLocked.c_str()) == 0)
                      return static_cast<int>(Profile().GetLastError());
                  return 0;
              }),
              0);
    EXPECT_EQ(ReadFile(inLocked), "[S]\nk=2\n; keep\n");
    EXPECT_EQ(InChild([&]() -> int {
                  if (!BecomeNobody())
                      return kSkipped;
                  Profile().WritePrivateProfileStringA("S", "k", "2",
                                                       dir.Path("locked/new.ini").c_str());
                  return static_cast<int>(Profile().GetLastError());
              }),
              5);
    EXPECT_FALSE(fs::exists(dir.Path("locked/new.ini")));
    fs::permissions(dir.Path("locked"), fs::perms(0755)); // so that it can be removed
}

TEST(FullDisk, FailsWith112AndKeepsTheOldFile) {
    TempDir dir;
    const std::string mountPoint = dir.Path("small");
    fs::create_directory(mountPoint);
    const int result = InChild([&]() -> int {
        if (!MountSmallTmpfs(mountPoint, "size=64k"))
            return kSkipped;
        const std::string file = mountPoint + "/full.ini";
        const std::string before = "[S]\r\nk=" + std::string(20000, 'a') + "\r\n";
        WriteFile(file, before);
        // Fill what is left, so that the new copy cannot be written.
        WriteFile(mountPoint + "/filler", std::string(64 * 1024, 'f'));
        const int ok = Profile().WritePrivateProfileStringA("S", "k", "b", file.c_str());
        const auto code = static_cast<int>(Profile().GetLastError());
        if (ok != 0 || ReadFile(file) != before || fs::exists(mountPoint + "/.full.ini.tmp~"))
            return kDamaged;
        return code;
    });
    if (result == kSkipped)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(result, 112);
}

TEST(FullDisk, FileSizeLimitKeepsTheOldFile) {
    TempDir dir;
    const std::string file = dir.Path("big.ini");
    const std::string before = "[S]\r\nk=1\r\n";
    WriteFile(file, before);
    const int result = InChild([&]() -> int {
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (Profile().WritePrivateProfileStringA("S", "k", std::string(4096, 'z').c_str(),
                                                 file.c_str()) != 0)
            return kDamaged;
        return static_cast<int>(Profile().GetLastError());
    });
    EXPECT_EQ(result, 223);
    EXPECT_EQ(ReadFile(file), before);
}

TEST(ReadOnlyMedia, FailsWith19) {
    TempDir dir;
    const std::string mountPoint = dir.Path("ro");
    fs::create_directory(mountPoint);
    const int result = InChild([&]() -> int {
        if (!MountSmallTmpfs(mountPoint, "size=64k"))
            return kSkipped;
        const std::string file = mountPoint + "/ro.ini";
        WriteFile(file, "[S]\nk=1\n");
        if (::mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return kSkipped;
        if (Profile().WritePrivateProfileStringA("S", "k", "2", file.c_str()) != 0 ||
            ReadFile(file) != "[S]\nk=1\n")
            return kDamaged;
        return static_cast<int>(Profile().GetLastError());
    });
    if (result == kSkipped)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(result, 19);
}

} // namespace
