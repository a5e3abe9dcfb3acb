// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"
#include "platform/process/program_start.h"
#include "support/child_posix.h"
#include "support/temp_dir.h"
#include "support/wait_for_file.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// An emulator stand-in that writes each argument it receives on a line of its own.
fs::path FakeEmulator(const TempDir& dir, const std::string& name, const fs::path& record) {
    const fs::path program = dir.Write(
        name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + record.string() +
                  ".tmp\"\nmv \"" + record.string() + ".tmp\" \"" + record.string() + "\"\n");
    fs::permissions(program, fs::perms::owner_all);
    return program;
}

// PATH as a test sets it, back as it was when the test ends.
struct PathSetTo {
    explicit PathSetTo(const std::string& value) : saved(Current()) {
        setenv("PATH", value.c_str(), 1);
    }
    ~PathSetTo() { setenv("PATH", saved.c_str(), 1); }
    PathSetTo(const PathSetTo&) = delete;
    PathSetTo& operator=(const PathSetTo&) = delete;
    static std::string Current() {
        const char* path = std::getenv("PATH");
        return path ? path : "";
    }
    std::string saved;
};

TEST(SystemStarter, StartsTheProgramWithTheArgumentsOfTheCommandLine) {
    TempDir tmp;
    const fs::path record = tmp.path() / "args.txt";
    FakeEmulator(tmp, "Emulator Directory/hu-go!.exe", record);
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    const std::string line = dir + "\\EMULAT~1\\hu-go!.exe -c2 -iZ:\\CD\\\\disc.iso \"a b\"";

    const platform::StartResult result = platform::SystemStarter().Start(line);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(WaitForFile(record), "-c2\n-iZ:\\CD\\\\disc.iso\na b\n");
}

// The program runs on when the start returns, and once it ends nothing of it is
// left waiting to be reaped.
TEST(SystemStarter, NeitherWaitsForTheProgramNorLeavesItAZombie) {
    TempDir tmp;
    const fs::path program = tmp.Write(
        "hu-go!.exe", "#!/bin/sh\necho started > started.tmp && mv started.tmp started\n"
                      "i=0; while [ ! -e go ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i+1)); done\n"
                      "echo ended > ended.tmp && mv ended.tmp ended\n");
    fs::permissions(program, fs::perms::owner_all);
    const InDirectory here(tmp.path());

    const platform::StartResult result = platform::SystemStarter().Start("hu-go!.exe");
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(WaitForFile(tmp.path() / "started"), "started\n");
    EXPECT_FALSE(fs::exists(tmp.path() / "ended"));
    tmp.Write("go");
    EXPECT_EQ(WaitForFile(tmp.path() / "ended"), "ended\n");
    for (int i = 0; i < 500 && Zombies() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(Zombies(), 0);
}

// A Windows program goes through the first "wine" on PATH: a stand-in here that
// records what Wine would be given.
class ThroughWine : public ::testing::TestWithParam<const char*> {};

TEST_P(ThroughWine, HandsAWindowsProgramItsFilesWhole) {
    TempDir tmp;
    const fs::path record = tmp.path() / "args.txt";
    FakeEmulator(tmp, std::string("bin/") + GetParam(), record);
    tmp.Write("Emulator Directory/hu-go!.exe", "MZ, not for this system");
    tmp.Write("PC Engine Collection/Super Darius.iso");
    const PathSetTo path(tmp.native() + "/bin:" + PathSetTo::Current());
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    const std::string line =
        dir + "\\EMULAT~1\\hu-go!.exe -c2 -i" + dir + "\\PC Eng~1\\\\Super Darius.iso";

    const platform::StartResult result = platform::SystemStarter().Start(line);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(WaitForFile(record), tmp.native() + "/Emulator Directory/hu-go!.exe\n-c2\n-i" + dir +
                                       "\\PC Engine Collection\\Super Darius.iso\n");
}

INSTANTIATE_TEST_SUITE_P(Names, ThroughWine, ::testing::Values("wine", "wine64"));

// Two folders begin alike and hold an image of the same name: the one the user
// chose reaches the emulator, though its short form is the older one's.
TEST(SystemStarter, HandsWineTheDirectoryTheLaunchKnows) {
    TempDir tmp;
    const fs::path record = tmp.path() / "args.txt";
    FakeEmulator(tmp, "bin/wine", record);
    tmp.Write("Emulators/hu-go!.exe", "MZ, not for this system");
    tmp.Write("PC Engine Collection/Bonk.pce");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    tmp.Write("PC Engine Zeta/Bonk.pce");
    const PathSetTo path(tmp.native() + "/bin:" + PathSetTo::Current());
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    const std::string head = dir + "\\Emulators\\hu-go!.exe ";
    const std::string line = head + dir + "\\PC Eng~1\\\\Bonk.pce";
    const std::size_t end = line.size() - std::string("\\Bonk.pce").size();

    const platform::StartResult result =
        platform::SystemStarter().Start(line, {{head.size(), end, dir + "\\PC Engine Zeta\\"}});
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(WaitForFile(record),
              tmp.native() + "/Emulators/hu-go!.exe\n" + dir + "\\PC Engine Zeta\\Bonk.pce\n");
}

// Images the emulator under Wine could not open are not handed to it: the
// start fails and says why.
TEST(SystemStarter, SaysWhyWineCannotOpenAnImage) {
    TempDir tmp;
    const fs::path record = tmp.path() / "args.txt";
    FakeEmulator(tmp, "bin/wine", record);
    tmp.Write("Emulator Directory/hu-go!.exe", "MZ, not for this system");
    const PathSetTo path(tmp.native() + "/bin:" + PathSetTo::Current());
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    const struct {
        std::string image;
        const char* why; // empty: started
    } cases[] = {{"What?.pce", "forbids in names (\"?\")"},
                 {"Caf\xE9.pce", "not UTF-8"},
                 {"CON.pce", "device name"},
                 {"Last.pce.", "ends in a dot"},
                 {"Blank.pce ", "ends in a dot or a blank"},
                 {std::string(240, 'L') + "/a.pce", "longer than 259"},
                 {"Fine.pce", ""}};
    for (const auto& [image, why] : cases) {
        SCOPED_TRACE(image);
        std::string name = image;
        std::replace(name.begin(), name.end(), '/', '\\');
        tmp.Write("roms/" + image);
        const platform::StartResult result = platform::SystemStarter().Start(
            dir + "\\EMULAT~1\\hu-go!.exe " + dir + "\\roms\\" + name);
        EXPECT_EQ(result.ok, !*why);
        EXPECT_NE(result.reason.find(why), std::string::npos) << result.reason;
        if (result.ok) {
            EXPECT_FALSE(WaitForFile(record).empty());
        }
    }
}

struct SearchCase {
    std::vector<const char*> emulators; // each records to "<its name>.txt"
    std::vector<const char*> dirs;
    const char* line; // after the temporary directory
    const char* startedRecord;
    const char* args;
};

class ProgramSearch : public ::testing::TestWithParam<SearchCase> {};

// A program path with blanks is tried at each blank, shortest first, until a
// file exists, with ".exe" added to a name that has no extension.
TEST_P(ProgramSearch, TriesEachBlankShortestFirst) {
    TempDir tmp;
    for (const char* dir : GetParam().dirs) {
        tmp.MakeDir(dir);
    }
    for (const char* emulator : GetParam().emulators) {
        FakeEmulator(tmp, emulator, tmp.path() / (std::string(emulator) + ".txt"));
    }
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    const platform::StartResult result = platform::SystemStarter().Start(dir + GetParam().line);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(WaitForFile(tmp.path() / GetParam().startedRecord), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramSearch,
                         ::testing::Values(SearchCase{{"Hu Go/hu-go!.exe"},
                                                      {},
                                                      "\\Hu Go\\hu-go!.exe a.pce",
                                                      "Hu Go/hu-go!.exe.txt",
                                                      "a.pce\n"},
                                           SearchCase{{"Hu Go/hu-go!.exe"},
                                                      {"Hu"},
                                                      "\\Hu Go\\hu-go!.exe a.pce",
                                                      "Hu Go/hu-go!.exe.txt",
                                                      "a.pce\n"},
                                           SearchCase{{"Hu Go/hu-go!.exe", "Hu.exe"},
                                                      {},
                                                      "\\Hu Go\\hu-go!.exe a.pce",
                                                      "Hu.exe.txt",
                                                      "Go\\hu-go!.exe\na.pce\n"},
                                           SearchCase{{"My Emulators/Hu Go/hu-go!.exe"},
                                                      {},
                                                      "\\My Emu~1\\Hu Go\\hu-go!.exe -c2  x",
                                                      "My Emulators/Hu Go/hu-go!.exe.txt",
                                                      "-c2\nx\n"},
                                           SearchCase{{"Hu Go/hu-go!.exe"},
                                                      {},
                                                      "\\Hu Go\\hu-go! a.pce",
                                                      "Hu Go/hu-go!.exe.txt",
                                                      "a.pce\n"}));

// A bare program name: the current directory comes before PATH.
TEST(SystemStarter, FindsABareNameInTheCurrentDirectoryBeforePath) {
    TempDir tmp;
    FakeEmulator(tmp, "cwd/hu-go!.exe", tmp.path() / "cwd.txt");
    FakeEmulator(tmp, "bin/hu-go!.exe", tmp.path() / "bin.txt");
    const PathSetTo path(tmp.native() + "/bin:" + PathSetTo::Current());
    const InDirectory here(tmp.path() / "cwd");
    const platform::StartResult fromCwd = platform::SystemStarter().Start("hu-go!.exe a.pce");
    fs::current_path(tmp.path());
    const platform::StartResult fromPath = platform::SystemStarter().Start("hu-go!.exe b.pce");
    ASSERT_TRUE(fromCwd.ok) << fromCwd.reason;
    ASSERT_TRUE(fromPath.ok) << fromPath.reason;
    EXPECT_EQ(WaitForFile(tmp.path() / "cwd.txt"), "a.pce\n");
    EXPECT_EQ(WaitForFile(tmp.path() / "bin.txt"), "b.pce\n");
}

TEST(SystemStarter, ReportsWhyAProgramCannotStart) {
    TempDir tmp;
    tmp.Write("plain.exe", "not a program");
    const std::string dir = platform::PathMap::System().ToSystem(tmp.native());
    struct Case {
        std::string line;
        const char* reason;
    };
    const Case cases[] = {
        {dir + "\\missing\\hu-go!.exe x", "No such file or directory"},
        {"no-such-program-anywhere.exe", "No such file or directory"},
        {"", "No such file or directory"},
    };
    for (const Case& c : cases) {
        const platform::StartResult result = platform::SystemStarter().Start(c.line);
        EXPECT_FALSE(result.ok) << c.line;
        EXPECT_TRUE(result.programMissing) << c.line;
        EXPECT_EQ(result.reason, c.reason) << c.line;
    }
    // Neither executable nor startable through Wine when Wine is not on PATH;
    // a Windows program says what is missing.
    tmp.Write("windows.exe", "MZ, not for this system");
    const PathSetTo noWine("/nonexistent");
    const platform::StartResult result = platform::SystemStarter().Start(dir + "\\plain.exe");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "Permission denied");
    const platform::StartResult windows = platform::SystemStarter().Start(dir + "\\windows.exe");
    EXPECT_FALSE(windows.ok);
    EXPECT_NE(windows.reason.find("apt install wine"), std::string::npos) << windows.reason;
}

} // namespace
