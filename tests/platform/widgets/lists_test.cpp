// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"
#include "platform/widgets/dir_list.h"
#include "platform/widgets/drive_list.h"
#include "platform/widgets/file_list.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string SystemPath(const std::filesystem::path& native) {
    return platform::PathMap::System().ToSystem(native.string());
}

std::vector<std::string> Shown(const platform::ListBox& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.count(); ++i) {
        rows.push_back(list.Text(i).trimmed().toStdString());
    }
    return rows;
}

TEST(FileList, KeepsNamesAsTheirBytesAndStartsEachPathWithNothingSelected) {
    TempDir tmp;
    const std::string latin1 = "\xC9t\xE8.pce"; // not UTF-8: Qt's own listing drops it
    tmp.Write(latin1);
    tmp.Write("sub/other.PCE");
    platform::FileList list;
    list.SetPattern("*.pce");
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path())));
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(list.Text(0).contains(QChar::ReplacementCharacter));
    EXPECT_EQ(list.FileName(), "");
    list.SetCurrentRow(0);
    EXPECT_EQ(list.FileName(), latin1);

    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path() / "sub")));
    EXPECT_EQ(Shown(list), std::vector<std::string>{"other.PCE"});
    EXPECT_EQ(list.FileName(), "");
    std::string reason;
    EXPECT_FALSE(list.SetPath(SystemPath(tmp.path() / "gone"), &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(Shown(list), std::vector<std::string>{"other.PCE"}) << "a failure changes nothing";
}

// The row selected after Tab into a file list of `count` images and one key.
int SelectedAfterTabAnd(int count, Qt::Key key) {
    TempDir tmp;
    for (int i = 0; i < count; ++i) {
        tmp.Write("image" + std::to_string(i) + ".pce");
    }
    platform::FileList list;
    list.SetPattern("*.pce");
    EXPECT_TRUE(list.SetPath(SystemPath(tmp.path())));
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason); // puts the caret, selects nothing
    QApplication::sendEvent(&list, &tabIn);
    EXPECT_EQ(list.FileName(), "") << "focus alone selects nothing";
    QTest::keyClick(&list, key);
    return list.SelectedRow();
}

TEST(FileList, ANavigationKeySelectsTheItemUnderTheCaretEvenWhenItStays) {
    const std::tuple<int, Qt::Key, int> cases[] = {
        {1, Qt::Key_Home, 0},    {1, Qt::Key_End, 0},      {1, Qt::Key_Down, 0},
        {1, Qt::Key_Up, 0},      {1, Qt::Key_PageDown, 0}, {1, Qt::Key_PageUp, 0},
        {3, Qt::Key_Home, 0},    {3, Qt::Key_Up, 0},       {3, Qt::Key_Down, 1},
        {3, Qt::Key_End, 2},     {3, Qt::Key_PageDown, 2}, {1, Qt::Key_Tab, -1},
        {1, Qt::Key_Escape, -1}, {0, Qt::Key_Home, -1}};
    for (const auto& [count, key, row] : cases) {
        SCOPED_TRACE(testing::Message() << count << " items, key 0x" << std::hex << key);
        EXPECT_EQ(SelectedAfterTabAnd(count, key), row);
    }
}

TEST(DirList, ShowsTheChainThenTheSubdirectoriesAndOpensOnlyWhatIsActivated) {
    TempDir tmp;
    tmp.MakeDir("roms/Beta");
    tmp.MakeDir("roms/alpha");
    tmp.Write("roms/file.pce");
    platform::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(list.SetPath(roms + "\\"));
    EXPECT_EQ(list.Path(), roms) << "a directory's path has no trailing separator";
    std::vector<std::string> rows = Shown(list);
    EXPECT_EQ(rows.front(), "z:\\");
    EXPECT_EQ(std::vector<std::string>(rows.end() - 3, rows.end()),
              (std::vector<std::string>{"roms", "alpha", "Beta"}));
    EXPECT_EQ(list.Text(list.CurrentRow()).trimmed(), "roms");

    QSignalSpy changes(&list, &platform::DirList::Change);
    const int beta = list.count() - 1;
    list.SetCurrentRow(beta); // highlighting
    EXPECT_EQ(changes.count(), 0);
    emit list.activated(list.Row(beta)); // double-click or Enter
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Path(), roms + "\\Beta");
    emit list.activated(list.currentIndex()); // the open one again
    EXPECT_EQ(changes.count(), 1);

    emit list.activated(list.Row(0));
    EXPECT_EQ(list.Path(), "Z:\\") << "a root keeps its separator";
}

// Where the drawing of each row starts (its icon, or its highlight): its first
// column that differs from the row's left end.
std::vector<int> DrawnLeftEdges(platform::ListBox& list) {
    list.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QImage image = list.viewport()->grab().toImage();
    std::vector<int> edges;
    for (int i = 0; i < list.count(); ++i) {
        const QRect row = list.visualRect(list.Row(i));
        const int y = row.center().y();
        const QRgb background = image.pixel(0, y);
        int x = 0;
        while (x < image.width() && image.pixel(x, y) == background) {
            ++x;
        }
        edges.push_back(x);
    }
    return edges;
}

TEST(DirList, EntriesAreIndentedByLevelWithOpenAndClosedFoldersAndTheOpenOneMarked) {
    TempDir tmp;
    tmp.MakeDir("roms/sub one");
    tmp.MakeDir("roms/sub two");
    platform::DirList list;
    list.resize(600, 600);
    ASSERT_TRUE(list.SetPath(SystemPath(tmp.path() / "roms")));
    const int chain = list.count() - 2; // root .. roms
    const std::vector<int> left = DrawnLeftEdges(list);
    for (int i = 1; i < chain; ++i) {
        EXPECT_GT(left[i], left[i - 1]) << "row " << i << " of the chain";
    }
    EXPECT_GT(left[chain], left[chain - 1]) << "a subdirectory stands under the open one";
    EXPECT_EQ(left[chain + 1], left[chain]);
    EXPECT_EQ(list.Text(chain), "sub one") << "the indentation is no part of the text";

    // The folders as drawn: the chain's open ones alike, the closed ones apart.
    const QImage drawn = list.viewport()->grab().toImage();
    const auto folder = [&](int row) {
        const QRect rect = list.visualRect(list.Row(row));
        return drawn.copy(left[row], rect.center().y() - 8, 16, 16);
    };
    EXPECT_EQ(folder(1), folder(0));
    EXPECT_EQ(folder(chain + 1), folder(chain));
    EXPECT_EQ(list.visualRect(list.Row(chain)).height(), list.visualRect(list.Row(0)).height());
    EXPECT_NE(folder(chain), folder(0)) << "open and closed folders look alike";

    list.SetCurrentRow(chain + 1);
    const QImage highlighted = list.viewport()->grab().toImage();
    const auto background = [&](int row) {
        const QRect rect = list.visualRect(list.Row(row));
        return highlighted.pixel(rect.right() - 2, rect.center().y());
    };
    EXPECT_NE(background(chain - 1), background(0)) << "the open one is not marked";
    EXPECT_EQ(background(chain), background(0));
}

TEST(DirList, TypingALetterHighlightsTheNextEntryStartingWithItWithoutOpeningIt) {
    TempDir tmp;
    for (const char* name : {"roms/alpha", "roms/Beta", "roms/gamma", "roms/Gold"}) {
        tmp.MakeDir(name);
    }
    platform::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(list.SetPath(roms));
    QSignalSpy changes(&list, &platform::DirList::Change);
    const std::pair<const char*, const char*> typed[] = {
        {"b", "Beta"}, {"A", "alpha"}, {"g", "gamma"}, {"g", "Gold"}, {"g", "gamma"}};
    for (const auto& [keys, highlighted] : typed) {
        SCOPED_TRACE(keys);
        QTest::keyClicks(&list, QString::fromLatin1(keys));
        QTest::qWait(QApplication::keyboardInputInterval() + 50); // a new search each time
        ASSERT_GE(list.CurrentRow(), 0);
        EXPECT_EQ(list.Text(list.CurrentRow()), highlighted);
        EXPECT_EQ(list.SelectedRow(), list.CurrentRow());
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(list.Path(), roms);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.Path(), roms + "\\gamma");
}

TEST(DriveList, ChoosingTheDriveAlreadyShownChangesNothing) {
    platform::DriveList drives;
    const QSignalSpy changes(&drives, &platform::DriveList::Change);
    emit drives.activated(drives.currentIndex());
    EXPECT_EQ(changes.count(), 0);
    if (drives.count() > 1) {
        const int other = drives.currentIndex() == 0 ? 1 : 0;
        drives.setCurrentIndex(other);
        emit drives.activated(other);
        EXPECT_EQ(changes.count(), 1);
    }
}

} // namespace
