// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ini/ini_test_files.h"
#include "platform/files/paths.h"
#include "platform/posix/file_io_posix.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/kept_copy_posix.h"
#include "platform/profile/profile_errors.h"
#include "platform/profile/profile_posix.h"
#include "support/child_posix.h"
#include "support/temp_dir.h"

namespace {

using ini_test::Profile;
using ini_test::ReadFile;
using ini_test::TempDir;
using ini_test::WriteFile;
using namespace std::string_literals;
using platform::ini::FindValue;
namespace fs = std::filesystem;

struct SizeCase {
    char op; // v: the value k=text; l: the section, m: the names, both "a=1\0b=22\0"; n: no file
    std::string text;
    std::uint32_t size, count;
    std::string bytes; // the start of the buffer
    std::uint32_t code;
};

class Sizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(Sizes, ReadsFillAtMostTheBuffer) {
    const auto& [op, text, size, count, bytes, code] = GetParam();
    TempDir dir;
    const std::string file = dir.Path("s.ini");
    const char* f = file.c_str();
    const auto check = [&](const auto& read) {
        std::vector<char> buffer(size, 'X'); // exactly `size`, so that the sanitizer sees overruns
        EXPECT_EQ(read(buffer.data()), count);
        EXPECT_EQ(Profile().GetLastError(), code);
        EXPECT_EQ(std::string(buffer.data(), bytes.size()), bytes);
    };
    auto& p = Profile();
    if (op == 'v') {
        WriteFile(file, "[S]\r\nk=" + text + "\r\n");
        return check([&](char* b) { return p.GetPrivateProfileStringA("S", "k", "", b, size, f); });
    }
    if (op == 'l') {
        WriteFile(file, "[S]\na=1\nb = 22\n");
        return check([&](char* b) { return p.GetPrivateProfileSectionA("S", b, size, f); });
    }
    if (op == 'm')
        WriteFile(file, "[a=1]\n[b=22]\n");
    check([&](char* b) { return p.GetPrivateProfileSectionNamesA(b, size, f); });
}

const std::string k254(254, 'v');
const SizeCase kSizes[] = {
    {'v', "abcd", 0, 0, "", 234},
    {'v', "abcd", 1, 0, "\0"s, 234},
    {'v', "abcd", 2, 1, "a\0"s, 234},
    {'v', "abcd", 3, 2, "ab\0"s, 234},
    {'v', "abcd", 4, 3, "abc\0"s, 234},
    {'v', "abcd", 5, 4, "abcd\0"s, 0},
    {'v', k254, 255, 254, k254 + '\0', 0},
    {'v', k254 + "v", 255, 254, k254 + '\0', 234},
    {'v', k254 + std::string(46, 'v'), 255, 254, k254 + '\0', 234},
    {'l', "", 11, 9, "a=1\0b=22\0\0X"s, 0},
    {'l', "", 10, 9, "a=1\0b=22\0\0"s, 0},
    {'l', "", 9, 7, "a=1\0b=2\0\0"s, 234},
    {'l', "", 4, 2, "a=\0\0"s, 234},
    {'l', "", 2, 0, "\0\0"s, 234},
    {'l', "", 1, 0, "\0"s, 234},
    {'l', "", 0, 0, "", 87}, // no buffer at all
    {'m', "", 11, 9, "a=1\0b=22\0\0X"s, 0},
    {'m', "", 10, 8, "a=1\0b=22\0\0"s, 234}, // an exact fit counts as cut short
    {'m', "", 9, 7, "a=1\0b=2\0\0"s, 234},
    {'m', "", 4, 2, "a=\0\0"s, 234},
    {'m', "", 2, 0, "\0\0"s, 234},
    {'m', "", 1, 0, "\0"s, 234},
    {'m', "", 0, 0, "", 234},
    {'n', "", 16, 0, "\0X"s, 2}, // a single NUL
};
INSTANTIATE_TEST_SUITE_P(Profile, Sizes, ::testing::ValuesIn(kSizes));

// Without a section the call lists the file's sections, so a missing file
// gives an empty list, not the default.
TEST(Defaults, NotForTheSectionsOfAMissingFile) {
    TempDir dir;
    std::vector<char> buffer(8, 'X');
    EXPECT_EQ(Profile().GetPrivateProfileStringA(nullptr, "k", "dflt", buffer.data(), 8,
                                                 dir.Path("none.ini").c_str()),
              0u);
    EXPECT_EQ(Profile().GetLastError(), 2u);
    EXPECT_EQ(std::string(buffer.data(), 3), "\0\0X"s);
}

// Flushing the cache always returns FALSE on Windows.
TEST(Flush, ReturnsFalse) {
    TempDir dir;
    EXPECT_EQ(
        Profile().WritePrivateProfileStringA(nullptr, nullptr, nullptr, dir.Path("f.ini").c_str()),
        0);
}

TEST(Defaults, LoseTheirTrailingSpacesOnly) {
    const std::pair<const char*, std::string> cases[] = {
        {"dflt  ", "dflt"}, {"  d f  ", "  d f"}, {"dflt\t", "dflt\t"}, {"   ", ""}, {"", ""}};
    TempDir dir;
    const std::string file = dir.Path("d.ini");
    WriteFile(file, "[S]\nk=1\n");
    for (const auto& [given, read] : cases) {
        for (const std::string& f : {file, dir.Path("none.ini")}) {
            std::vector<char> buffer(16, 'X');
            EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "none", given, buffer.data(), 16,
                                                         f.c_str()),
                      read.size())
                << given;
            EXPECT_EQ(std::string(buffer.data()), read);
        }
    }
}

// What a file says, as Wine reads it: the names listed, a key's value.
TEST(FileSays, AsWineReadsIt) {
    const struct {
        std::string text;
        std::string names;                 // the names list
        const char *section, *key, *value; // value: nullptr when not found
    } cases[] = {
        {"[a]\n[b]\n[A]\nk=1\n", "a\0b\0A\0\0"s, "a", "k", nullptr},
        {"\xEF\xBB\xBF[Main]\r\nk=1\r\n", "Main\0\0"s, "main", "k", "1"},
        {"\xEF\xBB\xBFk=1\r\n[Main]\r\n", "Main\0\0"s, "main", "k", nullptr},
        {"[A]\n[Main\nk=1\n", "A\0\0"s, "A", "k", "1"},
        {"[Main\nk=1\n", "\0"s, "Main", "k", nullptr},
        {"[A]\n\x0Bj\x0B=\x0B"
         "1\f\n",
         "A\0\0"s, "a", "j", "1"},
        {"[A]\na=1\n", "A\0\0"s, "a", "a\x0B", "1"},
        {"[A]\nk\nk=1\n", "A\0\0"s, "A", "k", nullptr},       // a key without a value comes first
        {"[A]\nk=1\0junk\n\0[B]\n", "A\0\0"s, "A", "k", "1"}, // a NUL ends the line
        // UTF-8 behind its mark, read in the code page; a byte that is no UTF-8 reads "?"
        {"\xEF\xBB\xBF[S\xC3\xA9]\r\nk=\xC3\xA9\xE2\x82\xAC\xFF\r\n", "S\xE9\0\0"s, "s\xE9", "k",
         "\xE9\x80?"},
    };
    TempDir dir;
    const std::string file = dir.Path("w.ini");
    for (const auto& [text, names, section, key, value] : cases) {
        WriteFile(file, text);
        std::vector<char> buffer(32, 'X');
        auto& p = Profile();
        EXPECT_EQ(p.GetPrivateProfileSectionNamesA(buffer.data(), 32, file.c_str()),
                  names.size() - 1)
            << text;
        EXPECT_EQ(std::string(buffer.data(), names.size()), names) << text;
        const std::uint32_t n =
            p.GetPrivateProfileStringA(section, key, "", buffer.data(), 32, file.c_str());
        EXPECT_EQ(std::string(buffer.data(), n), value ? value : "") << text;
        EXPECT_EQ(p.GetLastError(), value ? 0u : 2u) << text;
    }
}

// UTF-16LE with its byte-order mark, from 8-bit text in which only "\x80"
// stands for a character above 0xFF (the euro sign).
std::string Utf16(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text)
        bytes += c == '\x80' ? "\xAC\x20"s : std::string{c, '\0'};
    return bytes;
}

// Setup's OK, one replacement for all its writes, leaves the text that the
// same writes one by one leave: whatever the section's place, line breaks,
// duplicates, mark or encoding, and in a hard-linked file rewritten in place.
TEST(Batch, WritesAsOneByOne) {
    const std::string texts[] = {
        "[A]\r\nk=1\r\n[Main]\r\nvmode=0\r\n\r\n[B]\r\nx=1\r\n",
        Utf16("[A]\r\nk=1\r\n[Main]\r\nvmode=0\r\n[B]\r\nx=1\r\n"),
        "[Main]\nvmode=0",
        "a=1\n[Main]\r\nvmode=0\r\n",
        "[Other]\r\n",
        "[main]\r\nvmode=1\r\n[MAIN]\r\nvmode=2\r\n",
        "\xEF\xBB\xBF[Main]\r\nlanguage=\xC3\xA9\r\n",
        "[Main]",
    };
    const char* const writes[][3] = {
        {"Main", "vmode", "3"}, {"Main", "new", "v"}, {" main ", "language", "\xE8"}};
    TempDir dir;
    const std::string batch = dir.Path("batch.ini"), single = dir.Path("single.ini");
    auto& p = Profile();
    for (const bool linked : {false, true}) {
        for (const std::string& text : texts) {
            WriteFile(batch, text);
            WriteFile(single, text);
            fs::remove(dir.Path("link"));
            if (linked)
                fs::create_hard_link(batch, dir.Path("link"));
            p.BeginWrites(batch.c_str());
            for (const auto& [section, key, value] : writes) {
                ASSERT_NE(p.WritePrivateProfileStringA(section, key, value, batch.c_str()), 0);
                ASSERT_NE(p.WritePrivateProfileStringA(section, key, value, single.c_str()), 0);
            }
            ASSERT_NE(p.CommitWrites(), 0);
            EXPECT_EQ(ReadFile(batch), ReadFile(single)) << text << linked;
        }
    }
}

TEST(Message, EnglishTextWithLineBreakAndNothingForAnUnknownCode) {
    const std::pair<std::uint32_t, std::string> texts[] = {
        {2, "The system cannot find the file specified.\r\n"},
        {3, "The system cannot find the path specified.\r\n"},
        {5, "Access is denied.\r\n"},
        {19, "The media is write protected.\r\n"},
        {32, "The process cannot access the file because it is being used by another process.\r\n"},
        {87, "The parameter is incorrect.\r\n"},
        {112, "There is not enough space on the disk.\r\n"},
        {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
        {206, "The filename or extension is too long.\r\n"},
        {223, "The file size exceeds the limit allowed and cannot be saved.\r\n"},
        {234, "More data is available.\r\n"},
        {0xDEAD, ""}};
    for (const auto& [code, text] : texts) {
        std::vector<char> buffer(255, 'X');
        EXPECT_EQ(Profile().FormatMessageA(0x1200, nullptr, code, 0, buffer.data(), 255, nullptr),
                  text.size());
        EXPECT_EQ(std::string(buffer.data(), text.size() + 1), text + (text.empty() ? 'X' : '\0'));
    }
    EXPECT_EQ(Profile().GetLastError(), 317u);
}

// How a call's child process sees the machine. From kHeldLock on, "file" is
// prepared by the test: another holds its lock, or its directory's; another
// user's state directory holds a copy that would change it; it carries an ACL
// that denies its group and an attribute, or another link; it belongs to
// another user of the writer's group.
enum Setup {
    kPlain,
    kNobody,
    kRelative,
    kFileSizeLimit,
    kFullDisk,
    kReadOnlyMedia,
    kHeldLock,
    kHeldDirLock,
    kForeignState,
    kAttributes,
    kHardLink,
    kOtherOwner
};

const std::string kFile = "[S]\r\nk=old\r\nempty=\r\n[Empty]\r\n;c\r\n";
const std::string kNew = "[S]\r\nk=new\r\nempty=\r\n[Empty]\r\n;c\r\n";
const std::string kLong(4096, 'z');

struct Call {
    const char* name;
    char op;          // read a value, v, or section, s; write a value, w, or section, W
    const char* file; // in the sandbox below
    const char *section, *key, *value; // value: nullptr removes; W: entries, "|" between them
    std::uint32_t code = 0;
    Setup setup = kPlain;
    std::string before = kFile;         // of "file"
    std::optional<std::string> after{}; // none: as before
};

// A write that succeeds on "file", or on "void" when there is no text before.
Call Edit(const char* name, char op, const char* section, const char* key, const char* value,
          const std::string& before, const std::string& after) {
    return {name,   op,   before.empty() ? "void" : "file", section, key, value, 0, kPlain,
            before, after};
}

constexpr int kSkipped = kNoSuchUser;

int Damaged(const char* what) {
    std::cerr << what << '\n';
    return 253;
}

// Every name below root with its type, mode, owner, links and extended attributes.
std::map<std::string, std::string> Listing(const std::string& root) {
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string path = e.path().string();
        struct stat st {};
        ::lstat(path.c_str(), &st);
        std::string& entry = entries[path];
        entry = std::to_string(st.st_mode) + " " + std::to_string(st.st_uid) + ":" +
                std::to_string(st.st_gid) + " " + std::to_string(st.st_nlink);
        std::string names(4096, '\0'), value(4096, '\0');
        names.resize(std::max<ssize_t>(::llistxattr(path.c_str(), names.data(), names.size()), 0));
        for (const char* name = names.c_str(); name < names.data() + names.size();
             name += std::strlen(name) + 1) {
            const ssize_t n = ::lgetxattr(path.c_str(), name, value.data(), value.size());
            entry += " " + std::string(name) + "=" + value.substr(0, std::max<ssize_t>(n, 0));
        }
    }
    return entries;
}

std::string Content(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) ? ReadFile(path) : "";
}

// In a child: the call's code; Damaged when it left other bytes than expected,
// or added, lost or changed the mode of any file.
int Perform(const Call& c, const std::string& root) noexcept {
    ::alarm(60); // a call that waits for good fails by its signal
    std::string path = *c.file ? root + c.file : ""; // root ends in "/"
    const bool asUser = c.setup == kNobody || c.setup == kForeignState || c.setup == kOtherOwner;
    // Anyone who may read a file or directory may lock it.
    const bool held = c.setup == kHeldLock || c.setup == kHeldDirLock;
    const platform::file_io::UniqueFd holder(
        held ? ::open(c.setup == kHeldLock ? path.c_str() : root.c_str(), O_RDONLY) : -1);
    if (held && ::flock(holder.Get(), c.setup == kHeldLock ? LOCK_EX : LOCK_SH) != 0)
        return kSkipped;
    if (asUser && ::geteuid() == 0 && (::setgid(kUsersGroup) != 0 || ::setuid(kFirstUser) != 0))
        return kSkipped;
    if (c.setup == kRelative && ::chdir(root.c_str()) == 0)
        path = c.file;
    const struct rlimit limit = {1024, RLIM_INFINITY};
    if (c.setup == kFileSizeLimit &&
        (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
        return kSkipped;
    if (c.setup == kFullDisk || c.setup == kReadOnlyMedia) {
        const std::string mnt = root + "mnt";
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
            return kSkipped;
        WriteFile(path, "[S]\r\nk=" + std::string(20000, 'a') + "\r\n");
        if (c.setup == kFullDisk)
            WriteFile(mnt + "/filler", std::string(64 * 1024, 'f'));
        else if (::mount(nullptr, mnt.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return kSkipped;
    }
    const auto files = Listing(root);
    const std::string expected = c.after.value_or(Content(path));
    std::string entries = c.value ? c.value + "\0"s : "";
    std::replace(entries.begin(), entries.end(), '|', '\0');
    std::vector<char> buffer(64, 'X');
    const char* f = path.c_str();
    platform::PosixProfile foreign([](const std::string& name) { return name; },
                                   [&] { return root + "state"; });
    auto& p = c.setup == kForeignState ? foreign : Profile();
    const bool ok =
        c.op == 'v'   ? p.GetPrivateProfileStringA(c.section, c.key, "", buffer.data(), 64, f) == 0
        : c.op == 's' ? p.GetPrivateProfileSectionA(c.section, buffer.data(), 64, f) == 0
        : c.op == 'w'
            ? p.WritePrivateProfileStringA(c.section, c.key, c.value, f) != 0
            : p.WritePrivateProfileSectionA(c.section, c.value ? entries.data() : nullptr, f) != 0;
    const auto code = static_cast<int>(p.GetLastError());
    auto now = Listing(root);
    if (!files.count(path) && !expected.empty())
        now.erase(path);
    const bool read = c.op == 'v' || c.op == 's';
    if (read ? !ok || buffer[0] != '\0' : ok != (code == 0))
        return Damaged("the result does not match the code");
    if (Content(path) != expected)
        return Damaged("the file is not as expected");
    return now == files ? code : Damaged("files added or lost, or their modes changed");
}

void PrintTo(const Call& c, std::ostream* out) {
    *out << c.name;
}

class Calls : public ::testing::TestWithParam<Call> {};

TEST_P(Calls, GiveTheirCodeAndChangeOnlyWhatTheyMust) {
    const Call& c = GetParam();
    TempDir dir;
    const auto path = [&](const char* name) { return dir.Path(name); };
    for (const char* name : {"dir", "mnt", "locked"})
        fs::create_directory(path(name));
    fs::create_symlink("file", path("link"));
    const auto make = [&](const char* name, const std::string& text, int mode) {
        WriteFile(path(name), text);
        fs::permissions(path(name), fs::perms(mode));
    };
    make("file", c.before, 0640);
    make("readonly", kFile, 0444);
    make("secret", kFile, 0);
    make("locked/w.ini", kFile, 0666);
    make("rootonly", kFile, 0604);
    fs::permissions(path(""), fs::perms(0777));
    fs::permissions(path("locked"), fs::perms(0555));
    if (c.setup >= kForeignState && c.setup != kAttributes && ::geteuid() != 0)
        GTEST_SKIP() << "needs root, to be two users";
    const std::string file = path(c.file);
    struct stat st {};
    ::stat(file.c_str(), &st);
    if (c.setup == kForeignState) {
        platform::KeptCopies([&] {
            return path("state");
        }).Keep(st, c.before, c.before + "[Planted]\r\nk=1\r\n");
        fs::permissions(path("state"), fs::perms(0755)); // readable, and still root's
        for (const auto& copy : fs::directory_iterator(path("state")))
            fs::permissions(copy.path(), fs::perms(0644));
        fs::permissions(file, fs::perms(0666));
    }
    // user::rw- user:nobody:rw- group::--- mask::rw- other::r--
    const std::uint32_t none = 0xFFFFFFFF;
    const std::uint32_t acl[] = {2,    1 | 6 << 16,    none, 2 | 6 << 16,    kFirstUser, 4,
                                 none, 0x10 | 6 << 16, none, 0x20 | 4 << 16, none};
    if (c.setup == kAttributes &&
        (::setxattr(file.c_str(), "system.posix_acl_access", acl, sizeof acl, 0) != 0 ||
         ::setxattr(file.c_str(), "user.vorlanes", "1", 1, 0) != 0))
        GTEST_SKIP() << "the file system keeps no ACLs or extended attributes here";
    if (c.setup == kHardLink)
        fs::create_hard_link(file, path("hardlink"));
    if (c.setup == kOtherOwner) {
        ASSERT_EQ(::chown(file.c_str(), kSecondUser, kUsersGroup), 0);
        fs::permissions(file, fs::perms(0660));
    }
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(Perform(c, path("")));
    const int status = Wait(pid);
    fs::permissions(path("locked"), fs::perms(0755)); // so that it can be removed
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == kSkipped)
        GTEST_SKIP() << "needs a private mount, or to run as root";
    // An exit status holds the code's low byte.
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(c.code & 0xFF));
}

const std::string kHandHead = "; written by hand\r\n\r\n[Main]  ; the emulator's own\r\n"
                              "\tvmode   =  0\r\nLanguage=1\r\n";
const std::string kHandTail = "smode=-1\r\n\r\n; \xE9t\xE9 \xFF\r\n[Other]\nx = \"q\"\n";

TEST(Utf16, ReadInTheCodePage) {
    TempDir dir;
    const std::string file = dir.Path("u.ini");
    // The value ends in a Cyrillic A, which 1252 lacks.
    WriteFile(file, Utf16("[S]\r\nk=\xE9\x80") + "\x10\x04\r\0\n\0"s);
    std::vector<char> buffer(16, 'X');
    EXPECT_EQ(Profile().GetPrivateProfileStringA("S", "k", "", buffer.data(), 16, file.c_str()),
              3u);
    EXPECT_EQ(std::string(buffer.data()), "\xE9\x80?");
}

const Call kCalls[] = {
    {"EmptyValue", 'v', "file", "S", "empty", nullptr, 0},
    {"MissingKey", 'v', "file", "S", "missing", nullptr, 2},
    {"MissingSection", 'v', "file", "Missing", "k", nullptr, 2},
    {"EmptySection", 's', "file", "Empty", nullptr, nullptr, 0},
    {"MissingSectionList", 's', "file", "Missing", nullptr, nullptr, 2},
    {"MissingFile", 'v', "void", "S", "k", nullptr, 2},
    {"MissingDirectory", 'v', "void/x.ini", "S", "k", nullptr, 3},
    {"FileAsDirectory", 'v', "file/x.ini", "S", "k", nullptr, 3},
    {"DirectoryAsFile", 'v', "dir", "S", "k", nullptr, 5},
    {"NoName", 's', "", "S", nullptr, nullptr, 5},
    {"BadName", 'v', "a*.ini", "S", "k", nullptr, 123},
    {"Unreadable", 'v', "secret", "S", "k", nullptr, 5, kNobody},
    {"WriteReadOnlyFile", 'w', "readonly", "S", "k", "new", 5},
    {"WriteDirectoryAsFile", 'w', "dir", "S", "k", "new", 5},
    {"WriteMissingDirectory", 'w', "void/x.ini", "S", "k", "new", 3},
    {"WriteNewFileInLockedDirectory", 'w', "locked/new.ini", "S", "k", "new", 5, kNobody},
    {"WriteInPlaceInLockedDirectory", 'w', "locked/w.ini", "S", "k", "new", 0, kNobody, kFile,
     kNew},
    {"WriteThroughLink", 'w', "link", "S", "k", "new", 0, kPlain, kFile, kNew},
    {"WriteRelativeName", 'w', "file", "S", "k", "new", 0, kRelative, kFile, kNew},
    {"WriteFullDisk", 'w', "mnt/f.ini", "S", "k", "new", 112, kFullDisk},
    {"WriteReadOnlyMedia", 'w', "mnt/f.ini", "S", "k", "new", 19, kReadOnlyMedia},
    {"WriteBeyondFileSizeLimit", 'w', "file", "S", "k", kLong.c_str(), 223, kFileSizeLimit},
    {"InjectLfInValue", 'w', "file", "S", "k", "1\nx=2", 87},
    {"InjectCrInValue", 'w', "file", "S", "k", "1\rx=2", 87},
    {"InjectIntoNewFile", 'w', "void", "S", "k", "1\r\nx=2", 87},
    {"InjectInKey", 'w', "file", "S", "k\r\nx", "1", 87},
    {"KeyAsHeader", 'w', "file", "S", "[T]", "x", 87},
    {"KeyAsEntry", 'w', "file", "S", "vmode=3", "x", 87},
    {"InjectInSection", 'w', "file", "S]\r\n[T", "t", "evil", 87},
    {"SectionEndingEarly", 'w', "file", "T]x", "t", "evil", 87},
    {"InjectHeaderInEntry", 'W', "file", "S", nullptr, "k=1\r\n[T]\r\nt=evil", 87},
    {"EntryAsHeader", 'W', "file", "S", nullptr, "[T]=x", 87},
    Edit("HandEdited", 'w', "MAIN", "ROM_DIR", "D:\\GAMES\\",
         kHandHead + "rom_dir = C:\\ROMS\\ \r\n" + kHandTail,
         kHandHead + "rom_dir=D:\\GAMES\\\r\n" + kHandTail),
    Edit("KeepsSpellingPlaceAndEnding", 'w', "main", "vmode", "3",
         "[Main]\r\n  VMode = 1 \r\n; c\r\nx=2\r\n", "[Main]\r\nVMode=3\r\n; c\r\nx=2\r\n"),
    Edit("NewKeyAfterLastEntry", 'w', "A", "c", "2", "[A]\na=1\n\n; tail\n[B]\nb=1\n",
         "[A]\na=1\nc=2\n\n; tail\n[B]\nb=1\n"),
    Edit("NewSectionAtEnd", 'w', "B", "k", "v", "[A]\na=1\n", "[A]\na=1\n[B]\nk=v\n"),
    Edit("NewFile", 'w', "Main", "vmode", "3", "", "[Main]\r\nvmode=3\r\n"),
    Edit("NoLineBreakAtEnd", 'w', "A", "b", "2", "[A]\na=1", "[A]\na=1\nb=2\n"),
    Edit("SectionAfterTextWithoutBreak", 'w', "A", "k", "v", "x=1", "x=1\r\n[A]\r\nk=v\r\n"),
    Edit("CarriageReturnFile", 'w', "A", "b", "2", "[A]\ra=1\r", "[A]\ra=1\rb=2\r"),
    Edit("NamesTrimmedValueAsGiven", 'w', " Main\t", " vmode ", " 3 ", "",
         "[Main]\r\nvmode= 3 \r\n"),
    Edit("FirstOfDuplicateSections", 'w', "A", "b", "2", "[A]\na=1\n[a]\nb=1\n",
         "[A]\na=1\nb=2\n[a]\nb=1\n"),
    Edit("FirstOfDuplicateKeys", 'w', "A", "K", "3", "[A]\nk=1\nk=2\n", "[A]\nk=3\nk=2\n"),
    Edit("CommentedKeyIsNotTheKey", 'w', "A", "k", "2", "[A]\n;k=1\n", "[A]\nk=2\n;k=1\n"),
    Edit("RemoveKey", 'w', "A", "a", nullptr, "[A]\na=1\nb=2\n[B]\nc=3\n", "[A]\nb=2\n[B]\nc=3\n"),
    Edit("RemoveSection", 'w', "a", nullptr, nullptr, "[A]\nb=2\n[B]\nc=3\n", "[B]\nc=3\n"),
    Edit("SectionReplaced", 'W', "S", nullptr, "a=1|b=2",
         "[S]\r\nx=1\r\n; keep\r\ny=2\r\n\r\n[T]\r\nt=1\r\n",
         "[S]\r\na=1\r\nb=2\r\n; keep\r\n\r\n[T]\r\nt=1\r\n"),
    Edit("SectionEmptied", 'W', "S", nullptr, "", "[T]\nt=1\n[s]\nx=1\n", "[T]\nt=1\n[s]\n"),
    Edit("SectionCreated", 'W', "S", nullptr, "a=1", "[T]\nt=1", "[T]\nt=1\n[S]\na=1\n"),
    Edit("SectionHeaderWithoutBreak", 'W', "S", nullptr, "a=1", "[S]", "[S]\r\na=1\r\n"),
    {"NullSectionWithKey", 'w', "file", nullptr, "k", "v", 2},
    {"NullSectionWithoutKey", 'w', "file", nullptr, nullptr, "v", 87},
    Edit("SameValueLeavesTheFile", 'w', "a", "K", "1", "[A]\r\n\tk = 1 \r\n",
         "[A]\r\n\tk = 1 \r\n"),
    Edit("ByteOrderMarkKept", 'w', "Main", "k", "2", "\xEF\xBB\xBF[Main]\r\nk=1\r\n",
         "\xEF\xBB\xBF[Main]\r\nk=2\r\n"),
    Edit("SectionAfterByteOrderMarkAlone", 'W', "Main", nullptr, "k=2", "\xEF\xBB\xBF",
         "\xEF\xBB\xBF[Main]\r\nk=2\r\n"),
    Edit("UnclosedHeaderIsAnEntry", 'w', "Main", "k", "2", "[Main\nk=1\n",
         "[Main\nk=1\n[Main]\nk=2\n"),
    Edit("KeyAfterUnclosedHeaderInSectionBefore", 'w', "A", "k", "2", "[A]\n[Main\nk=1\n",
         "[A]\n[Main\nk=2\n"),
    Edit("VerticalTabsTrimmed", 'w', "A", "k", "2", "[A]\n\x0Bk\x0B=1\n", "[A]\nk=2\n"),
    Edit("Utf16KeptOnWrite", 'w', "S", "k", "\x80\xE9", Utf16("[S]\r\nk=1\r\n"),
         Utf16("[S]\r\nk=\x80\xE9\r\n")),
    Edit("Utf16NewSection", 'W', "T", nullptr, "a=1", Utf16("[S]\r\n"),
         Utf16("[S]\r\n[T]\r\na=1\r\n")),
    Edit("KeyWithoutValueIsTheKey", 'w', "A", "k", "2", "[A]\nk\nk=1\n", "[A]\nk=2\nk=1\n"),
    Edit("KeyWithoutValueRemoved", 'w', "A", "k", nullptr, "[A]\nk\nx=1\n", "[A]\nx=1\n"),
    Edit("Utf8WrittenAsUtf8", 'w', "S\xE9", "k", "\xE9\x80", "\xEF\xBB\xBF[S\xC3\xA9]\r\nk=1\r\n",
         "\xEF\xBB\xBF[S\xC3\xA9]\r\nk=\xC3\xA9\xE2\x82\xAC\r\n"),
    Edit("Utf8SectionWrittenAsUtf8", 'W', "S", nullptr, "\xE9=1", "\xEF\xBB\xBF[S]\r\nk=1\r\n",
         "\xEF\xBB\xBF[S]\r\n\xC3\xA9=1\r\n"),
    // A Cyrillic A and a character beyond U+FFFF that the code page lacks, on
    // a line the write does not touch.
    Edit("Utf16KeepsWhatTheCodePageLacks", 'w', "S", "k", "2",
         Utf16("[S]\r\nk=1\r\nc=") + "\x10\x04\x3D\xD8\x00\xDE\r\0\n\0"s,
         Utf16("[S]\r\nk=2\r\nc=") + "\x10\x04\x3D\xD8\x00\xDE\r\0\n\0"s),
    Edit("FirstOfDuplicatesReplaced", 'W', "S", nullptr, "z=3", "[S]\nx=1\n[S]\ny=2\n",
         "[S]\nz=3\n[S]\ny=2\n"),
    {"NulLineIsBlank", 's', "file", "Empty", nullptr, nullptr, 0, kPlain, "[Empty]\r\n\0"s},
    {"WriteFileTheWriterMayNotWrite", 'w', "rootonly", "S", "k", "new", 5, kNobody},
    {"ReadWhileLocked", 'v', "file", "S", "k", nullptr, 32, kHeldLock},
    {"WriteWhileLocked", 'w', "file", "S", "k", "new", 32, kHeldLock},
    {"WriteWhileDirectoryLocked", 'w', "file", "S", "k", "new", 32, kHeldDirLock},
    {"ForeignCopyNotApplied", 'v', "file", "Planted", "k", nullptr, 2, kForeignState},
    {"NoPlaceOfOurOwnForTheOldText", 'w', "locked/w.ini", "S", "k", "new",
     platform::winerr::kNoPlaceForOldContent, kForeignState},
    {"AclAndAttributeKept", 'w', "file", "S", "k", "new", 0, kAttributes, kFile, kNew},
    {"HardLinkKept", 'w', "file", "S", "k", "new", 0, kHardLink, kFile, kNew},
    {"OwnerKept", 'w', "file", "S", "k", "new", 0, kOtherOwner, kFile, kNew},
};
INSTANTIATE_TEST_SUITE_P(Profile, Calls, ::testing::ValuesIn(kCalls),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// The system's own functions, with the Wine prefix and the state directory
// of the test's own; the current directory is another.
class SystemProfile : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("WINEPREFIX", dir.Path("prefix").c_str(), 1);
        ::setenv("XDG_STATE_HOME", dir.Path("state").c_str(), 1);
        fs::create_directories(dir.Path("prefix/drive_c/windows"));
    }
    void TearDown() override {
        ::unsetenv("WINEPREFIX");
        ::unsetenv("XDG_STATE_HOME");
    }
    TempDir dir;
    InDirectory cwd{(fs::create_directories(dir.Path("cwd")), dir.Path("cwd"))};
};

TEST_F(SystemProfile, ABareNameLivesInTheWindowsDirectory) {
    ASSERT_NE(
        platform::SystemProfile().WritePrivateProfileStringA("Main", "vmode", "3", "Hu-go!.ini"),
        0);
    EXPECT_EQ(ReadFile(dir.Path("prefix/drive_c/windows/Hu-go!.ini")), "[Main]\r\nvmode=3\r\n");
    EXPECT_FALSE(fs::exists(dir.Path("cwd/Hu-go!.ini")));
}

// What the program does at start and before Go: a cut rewrite of ours is
// finished, a file someone wrote since is left as they wrote it, even when
// it holds what the cut rewrite could have left, and a copy is never applied
// to another file that came to have the same inode. A step is written by its
// bytes, [from, to), after the time is stamped.
TEST_F(SystemProfile, SettlingFinishesOnlyOurOwnCutWrite) {
    const std::string file = dir.Path("Hu-go!.ini"), next = "[Main]\r\nvmode=3\r\nsmode=-1\r\n";
    const std::string mixed = next.substr(0, 10) + kFile.substr(10);
    enum Then { Nothing, StepTaken, WrittenSince, CopyOfAnEarlierFile };
    const struct {
        const char* name;
        Then then;
        std::string onDisk, settled;
        std::size_t from = 0, to = 10;
    } cases[] = {
        {"CutBeforeItsFirstStep", Nothing, kFile, next},
        {"CutAfterAStep", StepTaken, mixed, next},
        {"CutAfterTheStampBeforeTheBytes", StepTaken, mixed, next, 10, 20},
        {"OldTextSavedAgainAfterAStep", StepTaken, kFile, kFile},
        {"SavedByTheEmulatorSince", WrittenSince, "[Main]\r\nsaved=1\r\n", "[Main]\r\nsaved=1\r\n"},
        {"OldTextSavedAgainSince", WrittenSince, kFile, kFile},
        {"CutTextSavedAgainSince", WrittenSince, mixed, mixed},
        {"CopyOfAnEarlierFileInTheInode", CopyOfAnEarlierFile, kFile, kFile}};
    for (const auto& c : cases) {
        WriteFile(file, kFile);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        platform::KeptCopies copies([&] { return dir.Path("state/vorlanes"); });
        struct stat recorded = st;
        if (c.then == CopyOfAnEarlierFile)
            recorded.st_ctim.tv_sec -= 60;
        ASSERT_EQ(copies.Keep(recorded, kFile, next), 0);
        if (c.then == StepTaken) {
            ASSERT_TRUE(copies.Step(st, c.from, c.to));
        }
        if (c.then == StepTaken || c.then == WrittenSince) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // past the clock's tick
            WriteFile(file, c.onDisk);
        }
        EXPECT_TRUE(platform::SettleCutWrites(platform::PathMap::System().ToSystem(file)));
        EXPECT_EQ(ReadFile(file), c.settled) << c.name;
        EXPECT_FALSE(copies.Find(st)) << c.name;
    }
}

// A file is read whole whatever size it was said to have, small or big
// enough to be mapped in one call, into a fresh buffer or one used before.
TEST(ReadAll, ReadsEveryByteWhateverTheHint) {
    TempDir dir;
    const std::string file = dir.Path("f");
    std::string bytes = "left from before";
    for (const std::size_t size : {std::size_t{0}, std::size_t{5}, std::size_t{300} << 10}) {
        std::string text(size, 'x');
        for (std::size_t i = 0; i < size; i += 997)
            text[i] = static_cast<char>('a' + i % 26);
        WriteFile(file, text);
        for (const std::size_t hint : {size, std::size_t{0}, size / 2, size * 2}) {
            const platform::file_io::UniqueFd fd(::open(file.c_str(), O_RDONLY));
            ASSERT_EQ(platform::file_io::ReadAll(fd.Get(), hint, bytes), 0);
            EXPECT_EQ(bytes, text) << size << " " << hint;
        }
    }
}

// A reader holding the file past the wait keeps the settle from running:
// Go must then not start the emulator on what may be torn.
TEST_F(SystemProfile, SettlingSaysWhenTheFileIsHeldPastTheWait) {
    const std::string file = dir.Path("Hu-go!.ini");
    WriteFile(file, kFile);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    platform::KeptCopies copies([&] { return dir.Path("state/vorlanes"); });
    ASSERT_EQ(copies.Keep(st, kFile, "[Main]\r\n"), 0);
    const platform::file_io::UniqueFd reader(::open(file.c_str(), O_RDONLY));
    ASSERT_EQ(::flock(reader.Get(), LOCK_SH), 0);
    EXPECT_FALSE(platform::SettleCutWrites(platform::PathMap::System().ToSystem(file)));
    EXPECT_EQ(ReadFile(file), kFile);
}

} // namespace

namespace {

// Each route by which a file read before can change behind the program; the
// new text has the old one's size, and where it can, its times too.
struct Route {
    const char* name;
    void (*change)(const TempDir& dir, const std::string& file, const std::string& text);
};

void PutTimesBack(const std::string& file, const struct stat& before) {
    const struct timespec times[] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

const Route kRoutes[] = {
    {"InPlaceWithItsTimesPutBack",
     [](const TempDir&, const std::string& file, const std::string& text) {
         struct stat before {};
         ASSERT_EQ(::stat(file.c_str(), &before), 0);
         const platform::file_io::UniqueFd fd(::open(file.c_str(), O_WRONLY));
         ASSERT_EQ(platform::file_io::WriteAll(fd.Get(), text), 0);
         PutTimesBack(file, before);
     }},
    {"RenamedOverItWithItsTimes",
     [](const TempDir& dir, const std::string& file, const std::string& text) {
         struct stat before {};
         ASSERT_EQ(::stat(file.c_str(), &before), 0);
         const std::string other = dir.Path("other.ini");
         WriteFile(other, text);
         PutTimesBack(other, before);
         ASSERT_EQ(::rename(other.c_str(), file.c_str()), 0);
     }},
    {"ThroughAHardLink",
     [](const TempDir& dir, const std::string& file, const std::string& text) {
         const std::string link = dir.Path("link.ini");
         ASSERT_EQ(::link(file.c_str(), link.c_str()), 0);
         WriteFile(link, text);
     }},
    {"ThroughASymbolicLink",
     [](const TempDir& dir, const std::string& file, const std::string& text) {
         const std::string link = dir.Path("symlink.ini");
         ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
         WriteFile(link, text);
     }},
};

void PrintTo(const Route& route, std::ostream* out) {
    *out << route.name;
}

class KeptParse : public ::testing::TestWithParam<Route> {};

// Each read comes after the file has settled, when a parse of it may be kept.
TEST_P(KeptParse, NeverAnswersForAFileChangedBehindIt) {
    TempDir dir;
    const std::string file = dir.Path("k.ini");
    const auto read = [&] {
        std::this_thread::sleep_for(platform::PosixProfile::kSettledAfter * 3 / 2);
        char value[8] = {};
        Profile().GetPrivateProfileStringA("S", "k", "", value, sizeof value, file.c_str());
        return std::string(value);
    };
    WriteFile(file, "[S]\nk=1\n");
    ASSERT_EQ(read(), "1");
    GetParam().change(dir, file, "[S]\nk=2\n");
    EXPECT_EQ(read(), "2");
}

INSTANTIATE_TEST_SUITE_P(Profile, KeptParse, ::testing::ValuesIn(kRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

// The section calls answer from a kept parse what a walk of the file answers.
TEST(KeptParseLists, SectionAndNamesAsAFreshRead) {
    TempDir dir;
    const std::string file = dir.Path("k.ini");
    WriteFile(file, "[A]\r\nk=1\r\n[b]\r\n x = 2 \r\n;c\r\ny\r\n[a]\r\nk=3\r\n[]\r\nn=4\r\n");
    const auto lists = [&] {
        std::string section(64, '\0'), names(64, '\0');
        section.resize(Profile().GetPrivateProfileSectionA("B", section.data(), 64, file.c_str()));
        names.resize(Profile().GetPrivateProfileSectionNamesA(names.data(), 64, file.c_str()));
        return section + "|" + names;
    };
    const std::string expected("x=2\0y\0|A\0b\0a\0", 13);
    EXPECT_EQ(lists(), expected); // the file too new to keep a parse of
    std::this_thread::sleep_for(platform::PosixProfile::kSettledAfter * 3 / 2);
    EXPECT_EQ(lists(), expected); // its parse kept
    EXPECT_EQ(lists(), expected); // and answering
}

} // namespace
