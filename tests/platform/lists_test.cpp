#include "platform/dir_list.h"
#include "platform/file_list.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string SystemPath(const std::filesystem::path& native) {
    return platform::PathMap::System().ToSystem(native.string());
}

std::vector<std::string> Shown(const QListWidget& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.count(); ++i) {
        rows.push_back(list.item(i)->text().trimmed().toStdString());
    }
    return rows;
}

TEST(FileList, ListsTheMatchingImagesInNameOrderWithNoneSelected) {
    TempDir tmp;
    for (const char* name :
         {"GAME.PCE", "game.pce", "Game.Pce", "game.zip", "disc.iso", "notes.txt", ".hidden.pce"}) {
        tmp.Write(name);
    }
    tmp.MakeDir("folder.pce");
    platform::FileList list;
    list.SetPattern("*.pce;*.zip;*.iso");
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path())));
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"disc.iso", "GAME.PCE", "Game.Pce", "game.pce",
                                                     "game.zip"}));
    EXPECT_EQ(list.FileName(), "");
    list.item(2)->setSelected(true);
    EXPECT_EQ(list.FileName(), "Game.Pce");

    tmp.Write("sub/other.zip");
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path() / "sub")));
    EXPECT_EQ(Shown(list), std::vector<std::string>{"other.zip"});
    EXPECT_EQ(list.FileName(), "") << "a new path starts with nothing selected";
}

TEST(FileList, KeepsNamesThatAreNotUtf8AsTheirBytes) {
    TempDir tmp;
    const std::string latin1 = "\xC9t\xE8.pce";
    tmp.Write(latin1);
    platform::FileList list;
    list.SetPattern("*.pce");
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path())));
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(list.item(0)->text().contains(QChar::ReplacementCharacter));
    list.item(0)->setSelected(true);
    EXPECT_EQ(list.FileName(), latin1);
}

TEST(FileList, FailsOnAMissingDirectoryAndKeepsWhatItShowed) {
    TempDir tmp;
    tmp.Write("a.pce");
    platform::FileList list;
    list.SetPattern("*.pce");
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path())));
    std::string reason;
    EXPECT_FALSE(list.SetPath(SystemPath(tmp.path() / "gone"), &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(Shown(list), std::vector<std::string>{"a.pce"});
}

TEST(DirList, ShowsTheChainThenTheSubdirectories) {
    TempDir tmp;
    tmp.MakeDir("roms/Beta");
    tmp.MakeDir("roms/alpha");
    tmp.Write("roms/file.pce");
    platform::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(list.SetPath(roms + "\\"));
    EXPECT_EQ(list.Path(), roms) << "a directory's path has no trailing separator";
    const std::vector<std::string> rows = Shown(list);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows.front(), "z:\\");
    EXPECT_EQ(rows[rows.size() - 3], "roms");
    EXPECT_EQ(rows[rows.size() - 2], "alpha");
    EXPECT_EQ(rows.back(), "Beta");
    EXPECT_EQ(list.currentItem()->text().trimmed(), "roms");

    ASSERT_TRUE(list.SetPath("Z:\\"));
    EXPECT_EQ(list.Path(), "Z:\\");
    EXPECT_EQ(Shown(list).front(), "z:\\");
}

TEST(DirList, OpeningAnEntryChangesThePathAndHighlightingDoesNot) {
    TempDir tmp;
    tmp.MakeDir("roms/alpha");
    platform::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(list.SetPath(roms));
    QSignalSpy changes(&list, &platform::DirList::Change);
    QListWidgetItem* alpha = list.item(list.count() - 1);

    list.setCurrentItem(alpha);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(list.Path(), roms);

    emit list.itemActivated(alpha);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Path(), roms + "\\alpha");

    // Opening the open directory again changes nothing.
    emit list.itemActivated(list.currentItem());
    EXPECT_EQ(changes.count(), 1);
}

TEST(DirList, ADirectoryThatVanishedIsReportedAndTheListStays) {
    TempDir tmp;
    tmp.MakeDir("roms/gone");
    platform::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(list.SetPath(roms));
    std::filesystem::remove(tmp.path() / "roms/gone");
    QSignalSpy failures(&list, &platform::DirList::ReadFailed);
    QSignalSpy changes(&list, &platform::DirList::Change);
    emit list.itemActivated(list.item(list.count() - 1));
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(failures[0][0].value<std::string>(), roms + "\\gone");
    EXPECT_EQ(failures[0][1].value<std::string>(), "No such file or directory");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(list.Path(), roms);
}

} // namespace
