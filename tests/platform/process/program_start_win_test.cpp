// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/process/program_start.h"
#include "support/temp_dir.h"
#include "support/wait_for_file.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The stand-in emulator, built beside this test.
fs::path StandIn() {
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    return fs::path(self).parent_path() / "cmdline_record.exe";
}

// The started program sees exactly the command line it was given, whatever
// blanks, tabs, quotes and backslashes it holds.
TEST(WindowsStarter, TheProgramGetsTheCommandLineByteForByte) {
    TempDir tmp;
    fs::create_directories(tmp.path() / "Hu-Go");
    fs::copy_file(StandIn(), tmp.path() / "Hu-Go" / "hu-go!.exe");
    const std::string emulator = tmp.native() + "\\Hu-Go\\";
    const std::string record = tmp.native() + "\\line.txt";
    SetEnvironmentVariableA("VORLANES_RECORD", record.c_str());
    const std::string lines[] = {
        emulator + "hu-go!.exe C:\\Games\\PCENGI~1\\Bonk's Adventure.pce",
        emulator + "hu-go!.exe -c2 -iC:\\Games\\PCENGI~1\\Super Darius.iso",
        emulator + "hu-go!.exe Z:\\\\\\bonk.pce", // an image at a drive's root
        emulator + "hu-go!.exe C:\\two  blanks\\and\ta tab.zip",
        emulator + "hu-go!.exe C:\\\"quoted\" name\\\\x.pce",
    };
    for (const std::string& line : lines) {
        fs::remove(record);
        ASSERT_TRUE(platform::SystemStarter().Start(line).ok) << line;
        EXPECT_EQ(WaitForFile(record), line);
    }
}

TEST(WindowsStarter, WithoutAnEmulatorDirectoryTheCurrentDirectoryIsSearched) {
    TempDir tmp;
    fs::copy_file(StandIn(), tmp.path() / "hu-go!.exe");
    const std::string record = tmp.native() + "\\line.txt";
    SetEnvironmentVariableA("VORLANES_RECORD", record.c_str());
    const InDirectory here(tmp.path());
    ASSERT_TRUE(platform::SystemStarter().Start("hu-go!.exe C:\\x.pce").ok);
    EXPECT_EQ(WaitForFile(record), "hu-go!.exe C:\\x.pce");
}

TEST(WindowsStarter, AMissingProgramGivesTheSystemsReason) {
    TempDir tmp;
    const platform::StartResult result =
        platform::SystemStarter().Start(tmp.native() + "\\none\\hu-go!.exe C:\\x.pce");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
}

} // namespace
