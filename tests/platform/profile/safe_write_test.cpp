// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// A file written through the profile functions is old or new, whatever kind
// of directory holds it: writers killed at random moments, a full disk, and a
// reader beside the writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "ini/ini_test_files.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile_posix.h"
#include "support/child_posix.h"

namespace {

using ini_test::ReadFile;
using ini_test::TempDir;
using ini_test::WriteFile;
using platform::ini::FindValue;
namespace fs = std::filesystem;

constexpr int kSkipped = kNoSuchUser;

// The directory kinds a user's emulator may live in.
enum class Kind { Ordinary, ReadOnlyWithWritableFile, WritableNotReadable };

struct KindCase {
    const char* name;
    Kind kind;
};

// A sandbox of one kind; writers run as an ordinary user, for whom the
// directory's mode counts (root's writes would ignore it). The file and each
// user's state directory belong to their users, as they would.
class Sandbox {
public:
    explicit Sandbox(Kind kind)
        : kind_(kind), home_(dir_.Path("emulator")), file_(home_ + "/Hu-go!.ini"),
          profile_(Native, [this] { return dir_.Path("kept"); }),
          second_(Native, [this] { return dir_.Path("kept2"); }) {
        fs::create_directories(home_);
        fs::permissions(dir_.Path(""), fs::perms(0777));
        for (const auto& [name, user] : {std::pair{"kept", kFirstUser}, {"kept2", kSecondUser}}) {
            fs::create_directories(dir_.Path(name));
            fs::permissions(dir_.Path(name), fs::perms(0700));
            Own(dir_.Path(name), user);
        }
    }
    ~Sandbox() { fs::permissions(home_, fs::perms(0755)); }

    // Puts the first text in place and gives the directory its mode.
    void Start(const std::string& text) {
        WriteFile(file_, text);
        fs::permissions(file_, fs::perms(0666));
        Own(file_, kFirstUser);
        const int modes[] = {0777, 0555, 0333};
        fs::permissions(home_, fs::perms(modes[static_cast<int>(kind_)]));
    }

    // In a child: becomes the ordinary user the directory's mode is for.
    static bool BecomeUser() {
        return ::geteuid() != 0 || (::setgid(kUsersGroup) == 0 && ::setuid(kFirstUser) == 0);
    }

    platform::PosixProfile& Profile() { return profile_; }
    platform::PosixProfile& Second() { return second_; }
    const std::string& Home() const { return home_; }
    const std::string& File() const { return file_; }
    int Write(const std::string& key, const std::string& value, const std::string& section = "C") {
        return profile_.WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                   file_.c_str());
    }
    // Through the functions, so that a cut rewrite is finished first.
    std::string Value(const char* key) {
        std::vector<char> buffer(64);
        profile_.GetPrivateProfileStringA("C", key, "", buffer.data(), 64, file_.c_str());
        return buffer.data();
    }

private:
    static std::string Native(const std::string& name) { return name; }
    static void Own(const std::string& path, uid_t user) {
        if (::geteuid() == 0) {
            EXPECT_EQ(::chown(path.c_str(), user, kUsersGroup), 0) << path;
        }
    }

    Kind kind_;
    TempDir dir_;
    std::string home_, file_;
    platform::PosixProfile profile_, second_;
};

// About 1 MiB, so that a kill often lands midway through a write. The
// counter's text changes length from one write to the next, so that the rest
// of the file moves and any mix of two states shows.
std::string Counter(long n) {
    return std::to_string(n) + std::string(static_cast<std::size_t>(n % 5), '+');
}

std::string State(long n) {
    static const std::string padding = [] {
        std::string p;
        for (int i = 0; p.size() < (1u << 20); ++i)
            p += "pad" + std::to_string(i) + "=" + std::string(1000, 'v') + "\r\n";
        return p;
    }();
    return "[C]\r\nn=" + Counter(n) + "\r\n" + padding;
}

long CounterOf(const std::string& text) {
    return text.starts_with("[C]\r\nn=") ? std::atol(text.c_str() + 7) : -1;
}

class KilledWriter : public ::testing::TestWithParam<KindCase> {};

// What happens between a kill and the next access, in turn; each keeps the
// file old or new, or what another writer saved since.
enum class After { Nothing, EmulatorSaves, SecondUserSaves, RestartAndGo };
constexpr After kAfter[] = {After::Nothing, After::EmulatorSaves, After::SecondUserSaves,
                            After::RestartAndGo};

TEST_P(KilledWriter, LeavesTheFileOldOrNew) {
    Sandbox box(GetParam().kind);
    box.Start(State(0));
    std::mt19937 random(20261207);
    long last = 0;
    int finished = 0; // kills that cut a rewrite in place, finished by the next access
    int lost = 0, torn = 0, skipped = 0;
    constexpr int kRounds = 120;
    for (int round = 0; round < kRounds; ++round) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (!Sandbox::BecomeUser())
                ::_exit(kSkipped);
            if (::write(started[1], "!", 1) == 1) {
                for (long n = last + 1;; ++n) {
                    if (box.Write("n", Counter(n)) == 0)
                        ::_exit(1);
                }
            }
            ::_exit(2);
        }
        char byte = 0;
        const bool running = ::read(started[0], &byte, 1) == 1;
        ::close(started[0]);
        ::close(started[1]);
        if (!running) {
            const int status = Wait(pid);
            if (WIFEXITED(status) && WEXITSTATUS(status) == kSkipped)
                GTEST_SKIP() << "needs to run as an ordinary user, or as root to become one";
            FAIL() << "the writer did not start";
        }
        ::usleep(random() % 30000);
        ::kill(pid, SIGKILL);
        const int status = Wait(pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the writer failed a write";
        const std::string raw = ReadFile(box.File());
        const After after = kAfter[round % std::size(kAfter)];
        std::string saved; // what another writer saved since the kill
        if (after == After::EmulatorSaves) {
            saved = State(last) + "[Emulator]\r\nsaved=" + std::to_string(round) + "\r\n";
            std::ofstream(box.File(), std::ios::binary) << saved; // in place, as it does
        } else if (after == After::SecondUserSaves) {
            const std::string value = Counter(last + 1000);
            if (AsUser(kSecondUser, [&] {
                    return box.Second().WritePrivateProfileStringA("C", "n", value.c_str(),
                                                                   box.File().c_str()) != 0
                               ? 0
                               : 1;
                }) != 0) {
                ++skipped;
                continue;
            }
            saved = ReadFile(box.File());
        }
        ASSERT_EQ(AsUser(kFirstUser,
                         [&] {
                             if (after == After::RestartAndGo)
                                 return static_cast<int>(box.Profile().Settle(box.File().c_str()));
                             box.Value("n");
                             return 0;
                         }),
                  0);
        const std::string now = ReadFile(box.File()); // as the emulator reads it
        if (!saved.empty()) {
            lost += now != saved;
            last = std::max(last, CounterOf(now));
            WriteFile(box.File(), State(last)); // in place: the next round starts from a state
            continue;
        }
        finished += raw != now;
        const long n = CounterOf(now);
        ASSERT_GE(n, last) << "round " << round << ": a write was lost";
        torn += now != State(n);
        last = n;
    }
    std::cout << GetParam().name << ": " << kRounds << " kills, " << last << " writes done, "
              << finished << " cut rewrites in place finished, " << lost
              << " saves of others lost, " << torn << " files left torn";
    if (skipped > 0)
        std::cout << ", " << skipped << " rounds without a second user (needs root)";
    std::cout << "\n";
    EXPECT_GT(last, 0) << "the writers never got a write done";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(torn, 0);
    // The next write clears what the killed writers left behind.
    ASSERT_EQ(AsUser(kFirstUser, [&] { return box.Write("n", "0") != 0 ? 0 : 1; }), 0);
    fs::permissions(box.Home(), fs::perms(0755)); // so that it can be listed
    EXPECT_EQ(std::distance(fs::directory_iterator(box.Home()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, KilledWriter,
    ::testing::Values(KindCase{"Ordinary", Kind::Ordinary},
                      KindCase{"ReadOnlyWithWritableFile", Kind::ReadOnlyWithWritableFile},
                      KindCase{"WritableNotReadable", Kind::WritableNotReadable}),
    [](const auto& info) { return std::string(info.param.name); });

// What GetPrivateProfileSectionA gives for State(n).
std::string SectionList(long n) {
    static const std::string padding = [] {
        std::string list;
        const std::string text = State(0);
        for (std::size_t at = text.find("\r\npad"); at != std::string::npos;) {
            const std::size_t end = text.find("\r\n", at + 2);
            list.append(text, at + 2, end - at - 2).push_back('\0');
            at = text.find("\r\npad", end);
        }
        return list;
    }();
    return "n=" + Counter(n) + '\0' + padding;
}

TEST(ReaderBesideAWriter, SeesOnlyOldOrNew) {
    Sandbox box(Kind::ReadOnlyWithWritableFile); // where writes go in place
    constexpr long kWrites = 300;
    box.Start(State(0));
    const pid_t writer = ::fork();
    if (writer == 0) {
        if (!Sandbox::BecomeUser())
            ::_exit(kSkipped);
        for (long n = 1; n <= kWrites; ++n) {
            if (box.Write("n", Counter(n)) == 0)
                ::_exit(1);
        }
        ::_exit(0);
    }
    std::vector<char> buffer(3u << 20);
    int reads = 0, torn = 0;
    for (int status = 0; ::waitpid(writer, &status, WNOHANG) == 0 || reads == 0; ++reads) {
        const std::uint32_t count = box.Profile().GetPrivateProfileSectionA(
            "C", buffer.data(), static_cast<std::uint32_t>(buffer.size()), box.File().c_str());
        const std::string list(buffer.data(), count);
        torn += list != SectionList(std::atol(list.c_str() + 2));
        if (status != 0) {
            ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == kSkipped)
                << "needs to run as an ordinary user, or as root to become one";
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write failed";
        }
    }
    std::cout << reads << " reads beside " << kWrites << " writes in place, " << torn << " torn\n";
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(ReadFile(box.File()), State(kWrites));
}

// In a child: a private tmpfs of 64 KiB at mnt holding a read-only
// directory with a writable file, the disk full, and a write that needs more
// room than there is. The exit status says how the file came out.
int FillTheDiskAndWrite(const std::string& mnt, const std::string& kept) noexcept {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
        return kSkipped;
    const std::string dir = mnt + "/emulator", file = dir + "/Hu-go!.ini";
    const std::string before = "[S]\r\nk=" + std::string(20000, 'a') + "\r\n[T]\r\nt=1\r\n";
    fs::create_directories(dir);
    WriteFile(file, before);
    fs::permissions(file, fs::perms(0666));
    fs::permissions(dir, fs::perms(0555));
    WriteFile(mnt + "/filler", std::string(64 * 1024, 'f')); // as much as fits
    if (!Sandbox::BecomeUser())
        return kSkipped;
    platform::PosixProfile profile([](const std::string& name) { return name; },
                                   [&] { return kept; });
    const std::string value(30000, 'b');
    if (profile.WritePrivateProfileStringA("S", "k", value.c_str(), file.c_str()) != 0)
        return 1; // reported success
    if (profile.GetLastError() != 112)
        return 2; // not ERROR_DISK_FULL
    return ReadFile(file) == before ? 0 : 3;
}

TEST(FullDisk, RewriteInPlaceFailsWithTheFileIntact) {
    TempDir dir;
    fs::create_directories(dir.Path("mnt"));
    fs::create_directories(dir.Path("kept"));
    fs::permissions(dir.Path(""), fs::perms(0777));
    fs::permissions(dir.Path("kept"), fs::perms(0777));
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(FillTheDiskAndWrite(dir.Path("mnt"), dir.Path("kept")));
    const int status = Wait(pid);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == kSkipped)
        GTEST_SKIP() << "needs to run as root, to mount a small tmpfs and become an ordinary user";
    const char* outcomes[] = {"failed as it should", "reported success", "gave another code",
                              "changed the file"};
    EXPECT_EQ(WEXITSTATUS(status), 0) << outcomes[std::min(WEXITSTATUS(status), 3)];
}

TEST_P(KilledWriter, FourWritersLoseNoUpdate) {
    Sandbox box(GetParam().kind);
    box.Start("[C]\r\n");
    // Half into one shared section, half into one of the writer's own.
    const auto section = [](int p, int k) { return k % 2 ? "Shared" : "Own" + std::to_string(p); };
    const auto key = [](int p, int k) { return "p" + std::to_string(p) + "k" + std::to_string(k); };
    std::vector<pid_t> writers;
    for (int p = 0; p < 4; ++p) {
        writers.push_back(::fork());
        if (writers.back() == 0) {
            if (!Sandbox::BecomeUser())
                ::_exit(kSkipped);
            int failures = 0;
            for (int k = 0; k < 100; ++k)
                failures += box.Write(key(p, k), std::to_string(k), section(p, k)) == 0;
            ::_exit(failures);
        }
    }
    for (const pid_t pid : writers)
        EXPECT_EQ(Wait(pid), 0); // exited, and no write failed
    const std::string text = ReadFile(box.File());
    int found = 0;
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 100; ++k)
            found += FindValue(text, section(p, k), key(p, k)) == std::to_string(k);
    }
    EXPECT_EQ(found, 400);
}

} // namespace
