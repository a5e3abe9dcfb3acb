// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/lists.h"
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"
#include "platform/files/paths_win.h"
#include "platform/process/program_start.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

bool HasDrive(char letter) {
    const auto& drives = platform::PathMap::System().Drives();
    return std::any_of(drives.begin(), drives.end(),
                       [&](const platform::DriveInfo& d) { return d.letter == letter; });
}

TEST(WindowsPaths, DrivesAndCurrentDirectoriesAreTheSystems) {
    const platform::PathMap& map = platform::PathMap::System();
    const std::string current = fs::current_path().string();
    EXPECT_EQ(map.CurrentDirectory(), current);
    const char letter = platform::DriveLetterOf(current);
    ASSERT_NE(letter, 0);
    EXPECT_TRUE(HasDrive(letter));
    EXPECT_TRUE(HasDrive('C'));
    // A drive opens at the current directory when that lies on it, else at its root.
    EXPECT_EQ(map.DriveCurrentDirectory(letter), current);
    const char other = letter == 'C' ? 'Z' : 'C';
    if (HasDrive(other)) {
        EXPECT_EQ(map.DriveCurrentDirectory(other), std::string(1, other) + ":\\");
    }
    // System paths are the native ones here.
    EXPECT_EQ(map.ToNative("C:\\Progra~1\\x"), "C:\\Progra~1\\x");
    EXPECT_EQ(map.ToSystem("C:\\Program Files\\x"), "C:\\Program Files\\x");
}

// The stored form leads to the chosen directory as the system reads it: the
// short form where it does, the system's own short name otherwise.
TEST(WindowsPaths, TheStoredFormLeadsToTheChosenDirectory) {
    TempDir tmp;
    for (const char* made :
         {"Roms1234", "Program Files", "Program Files (x86)", "PC Engine Games"}) {
        fs::create_directories(tmp.path() / made);
    }
    const struct {
        const char* chosen;
        const char* shortForm;
        bool kept; // the short form leads there
    } cases[] = {{"Roms1234", "Roms1234", true},
                 {"Program Files (x86)", "Progra~1", false},
                 {"PC Engine Games", "PC Eng~1", false},
                 {"No Such Folder", "No Suc~1", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        const std::string chosen = tmp.native() + "\\" + c.chosen + "\\";
        const std::string shortForm = tmp.native() + "\\" + c.shortForm + "\\";
        const std::string stored = platform::PathMap::System().FormLeadingTo(
            chosen, shortForm, platform::PathMap::Reader::Emulator);
        if (c.kept) {
            EXPECT_EQ(stored, shortForm);
            continue;
        }
        EXPECT_EQ(stored.find(' '), std::string::npos) << stored;
        EXPECT_EQ(stored.back(), '\\');
        ASSERT_TRUE(platform::IdentityOf(stored).has_value()) << stored;
        EXPECT_EQ(platform::IdentityOf(stored), platform::IdentityOf(chosen)) << stored;
    }
}

TEST(WindowsListing, ListsWithOrWithoutATrailingSeparatorAndSaysWhyNot) {
    TempDir tmp;
    tmp.Write("Bonk.pce");
    tmp.Write("notes.txt");
    tmp.MakeDir("Sub Dir");
    const std::string dir = tmp.native();
    for (const std::string& path : {dir, dir + "\\"}) {
        const platform::Listing listing = platform::ListDirectory(path);
        ASSERT_TRUE(listing.ok) << path;
        EXPECT_EQ(platform::MatchingFiles(listing, "*.pce;*.zip;*.iso"),
                  std::vector<std::string>{"Bonk.pce"});
        EXPECT_EQ(platform::Subdirectories(listing), std::vector<std::string>{"Sub Dir"});
    }
    const platform::Listing root = platform::ListDirectory("C:\\");
    EXPECT_TRUE(root.ok);
    EXPECT_FALSE(platform::Subdirectories(root).empty());
    const platform::Listing missing = platform::ListDirectory(dir + "\\none");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_TRUE(missing.entries.empty());
}

// Such names show as Windows shows them; the emulator cannot be handed them,
// and what cannot use them says why instead of failing later.
TEST(WindowsListing, NamesTheCodePageCannotSpellShowTrulyAndAreToldOf) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "the code page spells every name";
    }
    TempDir tmp;
    tmp.Write("Bonk.pce");
    const std::wstring dir = tmp.path().wstring();
    CloseHandle(CreateFileW((dir + L"\\\u03A9.pce").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            0, nullptr));
    ASSERT_TRUE(CreateDirectoryW((dir + L"\\\u03A9 Games").c_str(), nullptr));
    const std::string omega = "\xCE\xA9";
    forms::FileRows files("*.pce");
    files.Show(tmp.native(),
               std::make_shared<const platform::Listing>(platform::ListDirectory(tmp.native())));
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Name(1), "?.pce"); // after Bonk.pce, as it shows
    EXPECT_EQ(files.TrueName(1), omega + ".pce");
    EXPECT_EQ(files.TrueName(0), "") << "Bonk.pce spells itself";
    forms::DirRows dirs;
    ASSERT_TRUE(dirs.Open(tmp.native(), nullptr));
    const int child = dirs.OpenRow() + 1;
    EXPECT_EQ(dirs.TrueName(child), omega + " Games");

    std::string reason;
    EXPECT_FALSE(dirs.Open(dirs.RowPath(child), &reason));
    EXPECT_NE(reason.find("code page"), std::string::npos) << reason;
    const platform::StartResult started =
        platform::SystemStarter().Start("C:\\hu-go!.exe " + tmp.native() + "\\?.pce");
    EXPECT_FALSE(started.ok);
    EXPECT_EQ(started.reason, reason);
    // Started there, the program stands in that folder, not in a look-alike.
    const InDirectory here(fs::path(dir + L"\\\u03A9 Games"));
    EXPECT_EQ(platform::PathMap::System().CurrentDirectory(), tmp.native() + "\\? Games");
}

// The lists stand in the order of what they show, not of the code page's "?".
TEST(WindowsListing, NamesTheCodePageCannotSpellSortAsShown) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "the code page spells every name";
    }
    TempDir tmp;
    const std::wstring dir = tmp.path().wstring();
    for (const wchar_t* name : {L"\u03A9.pce", L"Zz.pce", L"\u00E9t\u00E9.pce", L"Bonk.pce"}) {
        CloseHandle(CreateFileW((dir + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                0, nullptr));
    }
    forms::FileRows files("*.pce");
    files.Show(tmp.native(),
               std::make_shared<const platform::Listing>(platform::ListDirectory(tmp.native())));
    std::vector<std::string> shown;
    for (int row = 0; row < files.Count(); ++row) {
        shown.push_back(files.TrueName(row).empty() ? files.Name(row) : files.TrueName(row));
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Bonk.pce", "Zz.pce", "\xE9t\xE9.pce", "\xCE\xA9.pce"}));
}

} // namespace
