// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/files/paths_win.h"
#include "platform/process/program_start.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <shellapi.h>

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

std::string WaitForFile(const fs::path& file) {
    for (int i = 0; i < 1000 && !fs::exists(file); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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

// What the emulator opens is the image the user chose: a known directory whose
// short form leads nowhere is handed in a form that leads there, and an
// argument with a blank is quoted whole; a line that leads there stays as it is.
TEST(WindowsStarter, TheEmulatorOpensTheImageInTheKnownDirectory) {
    TempDir tmp;
    fs::create_directories(tmp.path() / "Hu-Go");
    fs::copy_file(StandIn(), tmp.path() / "Hu-Go" / "hu-go!.exe");
    const std::string record = tmp.native() + "\\line.txt";
    SetEnvironmentVariableA("VORLANES_RECORD", record.c_str());
    const struct {
        const char* dir;
        const char* shortDir;
        const char* options;
        const char* image;
        bool unchanged;
    } cases[] = {{"PC Engine Games", "PC Eng~1", " ", "Bonk's Adventure.pce", false},
                 {"PC Engine Games", "PC Eng~1", " -c2 -i", "Super Darius.iso", false},
                 {"Roms1234", "Roms1234", " ", "pack.zip", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        fs::create_directories(tmp.path() / c.dir);
        std::ofstream(tmp.path() / c.dir / c.image) << c.image;
        const std::string head = tmp.native() + "\\Hu-Go\\hu-go!.exe" + c.options;
        const std::string shortDir = tmp.native() + "\\" + c.shortDir + "\\";
        const std::string line = head + shortDir + "\\" + c.image;
        fs::remove(record);
        ASSERT_TRUE(platform::SystemStarter()
                        .Start(line, {{head.size(), head.size() + shortDir.size(),
                                       tmp.native() + "\\" + c.dir + "\\"}})
                        .ok);
        const std::string received = WaitForFile(record);
        if (c.unchanged) {
            EXPECT_EQ(received, line);
        }
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(platform::WideFromCodePage(received).c_str(), &count);
        ASSERT_NE(args, nullptr);
        std::wstring image = args[count - 1];
        LocalFree(args);
        image = image.substr(image.rfind(L"-i", 0) == 0 ? 2 : 0);
        const auto opened = platform::IdentityOf(platform::CodePageFromWide(image));
        ASSERT_TRUE(opened.has_value()) << received;
        EXPECT_EQ(opened, platform::IdentityOf((tmp.path() / c.dir / c.image).string()))
            << received;
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
