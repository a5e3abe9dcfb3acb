// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/lists.h"
#include "forms/rules.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(DirRows, TheChainThenTheSubdirectoriesEachAtItsLevel) {
    TempDir tmp;
    tmp.MakeDir("roms/Beta");
    tmp.MakeDir("roms/alpha");
    tmp.Write("roms/file.pce");
    const std::string roms = platform::PathMap::System().ToSystem((tmp.path() / "roms").string());
    forms::DirRows rows;
    bool changed = false;
    ASSERT_TRUE(rows.Open(roms + "\\", nullptr, &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(rows.Path(), roms) << "a directory's path has no trailing separator";
    const int open = rows.OpenRow();
    ASSERT_EQ(rows.Count(), open + 3);
    EXPECT_EQ(rows.Name(0), std::string(1, static_cast<char>(std::tolower(roms[0]))) + ":\\");
    EXPECT_EQ(rows.Name(open), "roms");
    EXPECT_EQ(rows.Name(open + 1), "alpha");
    EXPECT_EQ(rows.Name(open + 2), "Beta");
    EXPECT_EQ(rows.Level(open), open);
    EXPECT_EQ(rows.Level(open + 2), open + 1);
    EXPECT_EQ(rows.RowPath(open + 2), roms + "\\Beta");
    EXPECT_EQ(rows.RowPath(0), roms.substr(0, 3)) << "a root keeps its separator";

    ASSERT_TRUE(rows.Open(roms, nullptr, &changed));
    EXPECT_FALSE(changed);
    std::string reason;
    EXPECT_FALSE(rows.Open(roms + "\\gone", &reason, &changed));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(rows.Path(), roms) << "a failure changes nothing";
}

// The file list names the entries of the listing it was shown, whatever
// the directory list opens after it.
TEST(FileRows, KeepTheListingTheyShowPastTheNextOpen) {
    TempDir tmp;
    tmp.Write("a/Zeta.pce");
    tmp.Write("a/alpha.PCE");
    tmp.Write("a/notes.txt");
    tmp.Write("b/other.pce");
    const std::string root = platform::PathMap::System().ToSystem(tmp.native());
    forms::DirRows dirs;
    forms::FileRows files("*.pce");
    ASSERT_TRUE(dirs.Open(root + "\\a", nullptr));
    files.Show(dirs.Path(), dirs.Contents());
    ASSERT_TRUE(dirs.Open(root + "\\b", nullptr));
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Name(0), "alpha.PCE");
    EXPECT_EQ(files.Name(1), "Zeta.pce");
}

// A large directory shows its first entries, then the whole once the rest is
// read: the file selected meanwhile stays selected, and a file list showing
// another directory is left as it is.
TEST(DirRows, ALargeDirectoryIsReadWholeAfterItsFirstEntries) {
    TempDir tmp;
    const int total = static_cast<int>(forms::DirRows::kFirstEntries) + 40;
    tmp.WriteNumbered("big", total);
    tmp.MakeDir("big/sub");
    tmp.Write("small/other.pce");
    const std::string root = platform::PathMap::System().ToSystem(tmp.native());
    forms::DirRows dirs;
    forms::FileRows other("*.pce");
    ASSERT_TRUE(dirs.Open(root + "\\small", nullptr));
    other.Show(dirs.Path(), dirs.Contents());
    forms::FileRows files("*.pce");
    ASSERT_TRUE(dirs.Open(root + "\\big", nullptr));
    ASSERT_TRUE(dirs.Reading());
    files.Show(dirs.Path(), dirs.Contents());
    ASSERT_LT(files.Count(), total);
    const int middle = files.Count() / 2; // where names read later come before it
    const std::string chosen = files.Name(middle);

    int redrawn = 0;
    std::vector<int> selected;
    const auto grow = [&](const platform::Listing& was) {
        for (forms::FileRows* list : {&other, &files}) {
            int row = middle;
            if (list->Grow(dirs, was, &row)) {
                selected.push_back(row);
            }
        }
    };
    forms::ReadRest(
        dirs, [&] { ++redrawn; }, grow);
    EXPECT_FALSE(dirs.Reading());
    EXPECT_EQ(redrawn, 1);
    ASSERT_EQ(selected.size(), 1u) << "only the list showing the first entries grows";
    EXPECT_EQ(files.Count(), total);
    EXPECT_EQ(files.Name(selected[0]), chosen);
    EXPECT_EQ(files.FileName(), chosen);
    EXPECT_EQ(dirs.Count(), dirs.OpenRow() + 2) << "the subdirectory, wherever it was read";
    EXPECT_EQ(other.Count(), 1);
    forms::ReadRest(
        dirs, [&] { ++redrawn; }, grow);
    EXPECT_EQ(redrawn, 1) << "nothing left to read";
    tmp.WriteNumbered("exact", static_cast<int>(forms::DirRows::kFirstEntries));
    ASSERT_TRUE(dirs.Open(root + "\\exact", nullptr));
    forms::ReadRest(
        dirs, [&] { ++redrawn; }, grow);
    EXPECT_EQ(redrawn, 1) << "no entry was left after the first ones";
}

TEST(DriveRows, ShowsEachDriveWithItsLabelAndChoosingTheShownOneChangesNothing) {
    forms::DriveRows drives({{'C', "/c", ""}, {'Z', "/", "/"}});
    EXPECT_EQ(drives.Text(0), "c:");
    EXPECT_EQ(drives.Text(1), "z: [/]");
    drives.Show('Z');
    EXPECT_FALSE(drives.Choose(1));
    EXPECT_TRUE(drives.Choose(0));
    EXPECT_EQ(drives.Drive(), 'C');
}

// A label the drive alone knows is asked for once, when its row is to be
// seen: the shown drive's after the closed list was drawn.
TEST(DriveRows, ReadsALabelOnlyWhenItsRowIsToBeSeen) {
    std::string asked;
    forms::DriveRows drives(
        {{'C', "C:\\", {}}, {'D', "D:\\", {}}, {'E', "E:\\", {}}, {'Z', "/", "/"}},
        [&asked](const platform::DriveInfo& drive) {
            asked += drive.letter;
            return std::string("disc");
        });
    drives.Show('D');
    EXPECT_EQ(drives.Text(1), "d:");
    EXPECT_TRUE(drives.ReadShownLabel());
    EXPECT_FALSE(drives.ReadShownLabel());
    EXPECT_EQ(drives.Text(0), "c:");
    EXPECT_EQ(drives.Text(1), "d: [disc]");
    drives.Choose(2);
    drives.ReadLabels();
    drives.ReadLabels();
    EXPECT_EQ(drives.Text(0), "c: [disc]");
    EXPECT_EQ(asked, "DEC");
}

} // namespace
