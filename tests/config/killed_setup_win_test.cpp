// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Setup's OK on Windows: killed at random moments, the emulator's file is the
// old one or the new one, never cut short, and its own sections stay whole;
// a file with other names is saved under all of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "config/hugo_ini.h"
#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

constexpr const char* kFileVariable = "VORLANES_KILLED_SETUP_FILE";

// What the n-th OK stores: every key follows n, so that a mix of two shows.
hugo::Settings Saved(long n) {
    hugo::Settings s;
    s.videoMode = static_cast<int>(n % 5);
    s.language = static_cast<int>(n % 8);
    s.input = static_cast<int>(n % 4);
    s.romDir = "C:\\Roms" + std::to_string(n) + std::string(static_cast<std::size_t>(n % 7), 'x');
    s.eagle = s.exactDraw = s.sound = s.staticRefresh = static_cast<int>(n % 2);
    return s;
}

// The emulator's own 1 MiB section, which no OK may lose.
const std::string& Pad() {
    static const std::string pad = [] {
        std::string p = "[Pad]\r\n";
        for (int i = 0; p.size() < (1u << 20); ++i)
            p += "pad" + std::to_string(i) + "=" + std::string(1000, 'v') + "\r\n";
        return p;
    }();
    return pad;
}

// The n the file was last saved with, or -1 when it is no whole save.
long SavedWith(const std::string& file) {
    const std::string text = ini_test::ReadFile(file);
    if (text.find(Pad()) == std::string::npos)
        return -1;
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    hugo::Settings loaded;
    hugo::Load(ini, loaded);
    const long n = std::atol(loaded.romDir.c_str() + 7);
    hugo::Settings want = Saved(n);
    return loaded.romDir == want.romDir && loaded.videoMode == want.videoMode &&
                   loaded.language == want.language && loaded.input == want.input &&
                   loaded.eagle == want.eagle && loaded.sound == want.sound
               ? n
               : -1;
}

// Run by the test below in a process of its own, which it kills.
TEST(KilledSetup, Writer) {
    const char* file = std::getenv(kFileVariable);
    if (file == nullptr)
        GTEST_SKIP() << "the writer of KilledSetup.LeavesTheFileOldOrNew";
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    // A save the test's own reading holds up fails whole and is simply missed.
    for (long n = SavedWith(file) + 1;; ++n)
        hugo::Save(ini, Saved(n));
}

TEST(KilledSetup, LeavesTheFileOldOrNew) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::WriteFile(file, "[Main]\r\n" + Pad());
    {
        Tolv_CIni ini(ini_test::Profile());
        ini.FileName(file);
        ASSERT_TRUE(hugo::Save(ini, Saved(0)));
    }
    char self[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    ::SetEnvironmentVariableA(kFileVariable, file.c_str());
    std::mt19937 random(20261208);
    long last = 0;
    int torn = 0, kills = 0;
    for (int round = 0; round < 30; ++round) {
        std::string command = "\"" + std::string(self) + "\" --gtest_filter=KilledSetup.Writer";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                     CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
        // Once it has saved, so that the kill lands among its writes.
        for (int wait = 0; wait < 400 && SavedWith(file) == last; ++wait)
            ::Sleep(10);
        ::Sleep(random() % 40);
        kills += ::TerminateProcess(pi.hProcess, 9) != 0;
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        const long n = SavedWith(file);
        if (n < 0) {
            ++torn;
            ini_test::WriteFile(file, "[Main]\r\n" + Pad());
            last = -1;
            continue;
        }
        EXPECT_GE(n, last) << "round " << round << ": a save was undone";
        last = n;
    }
    ::SetEnvironmentVariableA(kFileVariable, nullptr);
    // Beside the file, at most the one copy the next save clears.
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        EXPECT_TRUE(entry.path().filename() == "Hu-go!.ini" ||
                    entry.path().filename() == ".Hu-go!.ini.tmp~")
            << entry.path();
    std::cout << kills << " kills, " << last << " saves, " << torn << " files left torn\n";
    EXPECT_EQ(torn, 0);
    EXPECT_GT(last, 0);
}

TEST(WindowsSave, AFileWithOtherNamesIsSavedUnderAllOfThem) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini"), other = dir.Path("other.ini");
    ini_test::WriteFile(file, "[Main]\r\n");
    ASSERT_TRUE(::CreateHardLinkA(other.c_str(), file.c_str(), nullptr));
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    ASSERT_TRUE(hugo::Save(ini, Saved(3)));
    EXPECT_EQ(ini_test::ReadFile(other), ini_test::ReadFile(file));
    EXPECT_NE(ini_test::ReadFile(other), "[Main]\r\n");
}

} // namespace
