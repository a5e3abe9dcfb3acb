#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "ini/ini_test_files.h"
#include "platform/ini_text.h"

namespace {

using ini_test::Profile;
using ini_test::ReadFile;
using ini_test::TempDir;
using ini_test::WriteFile;

// Enough other sections that one write takes long enough to be hit midway.
std::string Padding() {
    std::string padding;
    for (int i = 0; i < 2000; ++i)
        padding += "[Pad" + std::to_string(i) + "]\r\nkey=some value of a few bytes\r\n";
    return padding;
}

TEST(Crash, KilledWriterLeavesTheFileBeforeOrAfterNeverTorn) {
    TempDir dir;
    const std::string file = dir.Path("crash.ini");
    const std::string padding = Padding();
    const auto state = [&](long n) {
        return "[Counter]\r\nvalue=" + std::to_string(n) + "\r\n" + padding;
    };
    WriteFile(file, state(0));
    std::mt19937 random(20240607);
    long last = 0;
    long kills = 0;
    for (int round = 0; round < 200; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            const char go = 'g';
            if (::write(ready[1], &go, 1) != 1)
                ::_exit(1);
            for (long n = last + 1;; ++n)
                Profile().WritePrivateProfileStringA("Counter", "value", std::to_string(n).c_str(),
                                                     file.c_str());
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        ::usleep(random() % 3000);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        kills += WIFSIGNALED(status) ? 1 : 0;

        const std::string now = ReadFile(file);
        const auto value = platform::ini::FindValue(now, "Counter", "value");
        ASSERT_TRUE(value.has_value()) << "round " << round;
        const long n = std::stol(std::string(*value));
        ASSERT_GE(n, last) << "round " << round;
        ASSERT_EQ(now, state(n)) << "round " << round;
        last = n;
    }
    EXPECT_EQ(kills, 200);
    EXPECT_GT(last, 0) << "the writers never got a write done";
}

TEST(Concurrency, FourProcessesLoseNoUpdate) {
    TempDir dir;
    const std::string file = dir.Path("shared.ini");
    WriteFile(file, "; shared\r\n");
    constexpr int kProcesses = 4;
    constexpr int kKeys = 250;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = "p" + std::to_string(p) + "k" + std::to_string(k);
                // Half into one shared section, half into a section of its own.
                const std::string section = (k % 2) ? "Shared" : "Own" + std::to_string(p);
                failures += Profile().WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                                                 std::to_string(k).c_str(),
                                                                 file.c_str()) == 0;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string text = ReadFile(file);
    int found = 0;
    for (int p = 0; p < kProcesses; ++p) {
        for (int k = 0; k < kKeys; ++k) {
            const std::string section = (k % 2) ? "Shared" : "Own" + std::to_string(p);
            const auto value = platform::ini::FindValue(
                text, section, "p" + std::to_string(p) + "k" + std::to_string(k));
            found += value && *value == std::to_string(k);
        }
    }
    EXPECT_EQ(found, kProcesses * kKeys);
}

} // namespace
