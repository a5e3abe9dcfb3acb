// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/setup_fixture.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST_F(Setup, LeavesTheFileAsTheUserLeftTheDialog) {
    const std::string head =
        "; Hu-Go! settings\r\n[Main]\r\nvmode=1\r\nextra=keep me\r\nlanguage=7\r\n";
    const std::string tail =
        "\r\neagle=0\r\nexact_draw=1\r\nsmode=-1\r\nstatic_refresh=0\r\nconfig=2\r\n"
        "\r\n[Joypad]\r\nup=72\r\n";
    const std::string latin1 = "[Main]\nrom_dir=C:\\Jeux\\\xC9mul\\";
    const std::string switches = "eagle=0\nexact_draw=0\nsmode=0\nstatic_refresh=0\n";
    // Longer than one read gives back, and exactly as long as one read gives back.
    const std::string longDir = "[Main]\nrom_dir=C:\\" + std::string(334, 'a') + "\\\n";
    const std::string fullDir = "[Main]\nrom_dir=C:\\" + std::string(250, 'b') + "\\\n";
    const std::string cutShown = "graph1 [C:\\" + std::string(251, 'a') + "] ----";
    const struct {
        std::string before;
        std::string steps;
        std::string after;
        std::string reopened;
    } cases[] = {
        {head + "rom_dir=C:\\Program Files\\roms\\" + tail, "OKButton",
         head + "rom_dir=C:\\Progra~1\\roms\\" + tail,
         "Option3 graph2 langue8 [C:\\Progra~1\\roms\\] -xx-"},
        {"[Main]\r\nlanguage=9\r\nsmode=-1\r\neagle=2\r\nconfig=2\r\nmine=1\r\n",
         "Son Rom_Dir=D:\\roms\\pce OKButton",
         "[Main]\r\nlanguage=9\r\nsmode=0\r\neagle=1\r\nconfig=2\r\nmine=1\r\nvmode=0\r\n"
         "rom_dir=D:\\roms\\pce\\\r\nexact_draw=0\r\nstatic_refresh=0\r\n",
         "Option3 graph1 [D:\\roms\\pce\\] x---"},
        {latin1 + "\n", "OKButton", latin1 + "\nvmode=0\n" + switches,
         "graph1 [C:\\Jeux\\\xC9mul\\] ----"},
        // Each group on its own, unsaved through "Setup" again, which only raises the
        // dialog; the user's clicks never make a switch grayed.
        {"[Main]\nvmode=1\nlanguage=2\nconfig=3\neagle=2\n",
         "langue5 graph3 Setup graph3 Option1 Modeeagle Modeeagle Modeeagle Modeeagle OKButton",
         "[Main]\nvmode=2\nlanguage=4\nconfig=0\neagle=0\nrom_dir=\nexact_draw=0\nsmode=0\n"
         "static_refresh=0\n",
         "Option1 graph3 langue5 [] ----"},
        {"[Main]\nvmode=2\nsmode=-1\n", "graph5 Son CancelButton", "[Main]\nvmode=2\nsmode=-1\n",
         "graph3 [] --x-"},
        // A plain OK leaves a value that may have been cut whole; an edit or a
        // chosen directory replaces it.
        {longDir, "OKButton", longDir + "vmode=0\n" + switches, cutShown},
        {fullDir, "Staticrefresh OKButton",
         fullDir + "vmode=0\neagle=0\nexact_draw=0\nsmode=0\nstatic_refresh=1\n",
         "graph1 [C:\\" + std::string(250, 'b') + "\\] ---x"},
        {longDir, "Rom_Dir=D:\\ OKButton", "[Main]\nrom_dir=D:\\\nvmode=0\n" + switches,
         "graph1 [D:\\] ----"},
        {longDir, "Browse OKButton",
         "[Main]\nrom_dir=Z:\\home\\ann\\PC Eng~1\\\nvmode=0\n" + switches,
         "graph1 [Z:\\home\\ann\\PC Eng~1\\] ----"},
        // The chosen file's directory, then a cancelled choice that keeps it.
        {"[Main]\nrom_dir=C:\\old\\\nsmode=0\n", "Son Browse Browse OKButton",
         "[Main]\nrom_dir=Z:\\home\\ann\\PC Eng~1\\\nsmode=-1\nvmode=0\neagle=0\nexact_draw=0\n"
         "static_refresh=0\n",
         "graph1 [Z:\\home\\ann\\PC Eng~1\\] --x-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps + " on " + c.before);
        Open(c.before.c_str());
        view().chosen = {"Z:\\home\\ann\\PC Engine Games\\Bomberman '93.pce", ""};
        Do(c.steps);
        EXPECT_FALSE(dialog()->Loaded());
        EXPECT_EQ(dir.Read(), c.after);
        Open(dir.Read().c_str());
        EXPECT_EQ(Shown(), c.reopened);
    }
}

// The emulator under Wine reads no "~1" of ours: a ROM directory whose short
// form would lead nowhere is written in full, without a question.
TEST_F(Setup, WritesARomDirectoryTheEmulatorCanFind) {
    TempDir roms{TempDir::ShortNamed{}};
    roms.MakeDir("PC Engine Games");
    const std::string base = platform::PathMap::System().ToSystem(roms.native());
    Open("[Main]\nrom_dir=C:\\\n");
    view().SetText("Rom_Dir", base + "\\PC Engine Games");
    Do("OKButton");
    EXPECT_TRUE(view().asked.empty());
    EXPECT_FALSE(dialog()->Loaded());
    EXPECT_NE(dir.Read().find("rom_dir=" + base + "\\PC Engine Games\\\n"), std::string::npos)
        << dir.Read();
}

// Sets or clears the immutable flag, which stops even root from writing.
void SetImmutable(const std::string& file, bool on) {
    const int fd = open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
}

TEST_F(Setup, AFileThatCannotBeWrittenKeepsTheDialogOpen) {
    const std::string before = "[Main]\nvmode=1\nrom_dir=C:\\Program Files\\\n";
    Open(before.c_str());
    chmod(dir.File().c_str(), 0444);
    SetImmutable(dir.File(), true);
    if (access(dir.File().c_str(), W_OK) == 0 && geteuid() != 0) {
        GTEST_SKIP() << "the file stays writable here";
    }
    Do("graph3 OKButton");
    SetImmutable(dir.File(), false);
    ASSERT_TRUE(dialog()->Loaded());
    EXPECT_EQ(dir.Read(), before);
    ASSERT_EQ(view().told.size(), 1u);
    const std::string& told = view().told[0];
    EXPECT_NE(told.find(dir.SystemDir() + "Hu-go!.ini"), std::string::npos) << told;
    EXPECT_NE(told.find("denied"), std::string::npos) << told;
    EXPECT_EQ(Shown(), "graph3 [C:\\Progra~1\\] ----");
}

} // namespace
