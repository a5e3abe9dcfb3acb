// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/dir_list.h"
#include "front/qt/drive_list.h"
#include "front/qt/file_list.h"
#include "platform/files/paths.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string SystemPath(const std::filesystem::path& native) {
    return platform::PathMap::System().ToSystem(native.string());
}

void Show(qtfront::FileList& list, const std::filesystem::path& dir) {
    list.Show(SystemPath(dir),
              std::make_shared<const platform::Listing>(platform::ListDirectory(SystemPath(dir))));
}

std::vector<std::string> Shown(const qtfront::ListBox& list) {
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
    qtfront::FileList list("*.pce");
    Show(list, tmp.path());
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(list.Text(0).contains(QChar::ReplacementCharacter));
    EXPECT_EQ(list.FileName(), "");
    list.SetCurrentRow(0);
    EXPECT_EQ(list.FileName(), latin1);
    Show(list, tmp.path() / "sub");
    EXPECT_EQ(Shown(list), std::vector<std::string>{"other.PCE"});
    EXPECT_EQ(list.FileName(), "");
}

// A tip only where the row cannot show all of its name.
TEST(FileList, ANameCutShortShowsWholeInATip) {
    TempDir tmp;
    const std::string cut = "A long image name that no list this narrow shows whole.pce";
    tmp.Write(cut);
    tmp.Write("Bonk.pce");
    qtfront::FileList list("*.pce");
    list.resize(160, 120);
    list.show();
    Show(list, tmp.path());
    const struct {
        int row;
        std::string tip; // "" for none
    } cases[] = {{1, ""}, {0, cut}};
    for (const auto& c : cases) {
        const QPoint at = list.visualRect(list.Row(c.row)).center();
        QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(list.viewport(), &help);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text().toStdString() : "", c.tip) << c.row;
    }
}

// The row selected after Tab into a file list of `count` images and one key.
int SelectedAfterTabAnd(int count, Qt::Key key) {
    TempDir tmp;
    for (int i = 0; i < count; ++i) {
        tmp.Write("image" + std::to_string(i) + ".pce");
    }
    qtfront::FileList list("*.pce");
    Show(list, tmp.path());
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

bool Open(qtfront::DirList& list, const std::string& path) {
    if (!list.rows().Open(path, nullptr)) {
        return false;
    }
    list.Shown();
    return true;
}

TEST(DirList, OnlyWhatIsActivatedIsChosen) {
    TempDir tmp;
    tmp.MakeDir("roms/Beta");
    qtfront::DirList list;
    ASSERT_TRUE(Open(list, SystemPath(tmp.path() / "roms")));
    EXPECT_EQ(list.Text(list.CurrentRow()).trimmed(), "roms") << "the open one highlighted";
    QSignalSpy chosen(&list, &qtfront::DirList::Chosen);
    const int beta = list.count() - 1;
    list.SetCurrentRow(beta); // highlighting
    EXPECT_EQ(chosen.count(), 0);
    emit list.activated(list.Row(beta)); // double-click or Enter
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), beta);
}

// Where the drawing of each row starts (its icon, or its highlight): its first
// column that differs from the row's left end.
std::vector<int> DrawnLeftEdges(qtfront::ListBox& list) {
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
    qtfront::DirList list;
    list.resize(600, 600);
    ASSERT_TRUE(Open(list, SystemPath(tmp.path() / "roms")));
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
    const int y = list.visualRect(list.Row(chain + 1)).center().y() + 2;
    EXPECT_EQ(highlighted.pixel(left[chain + 1] + 6, y), drawn.pixel(left[chain + 1] + 6, y))
        << "the highlighted folder is tinted";
}

TEST(DirList, TypingALetterHighlightsTheNextEntryStartingWithItWithoutOpeningIt) {
    TempDir tmp;
    for (const char* name : {"roms/alpha", "roms/Beta", "roms/gamma", "roms/Gold"}) {
        tmp.MakeDir(name);
    }
    qtfront::DirList list;
    const std::string roms = SystemPath(tmp.path() / "roms");
    ASSERT_TRUE(Open(list, roms));
    QSignalSpy changes(&list, &qtfront::DirList::Chosen);
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
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Text(changes[0][0].toInt()), "gamma");
}

// What the rules decide (which drive an arrow reaches) the list hands on.
TEST(DriveList, HandsArrowsAndChoicesOnToTheRules) {
    std::vector<platform::DriveInfo> drives;
    for (const char letter : {'C', 'D', 'E'}) {
        drives.push_back({letter, "/", ""});
    }
    qtfront::DriveList list(drives);
    list.SetDrive('D');
    const QSignalSpy steps(&list, &qtfront::DriveList::Step);
    const QSignalSpy chosen(&list, &qtfront::DriveList::Chosen);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.Drive(), 'D') << "an arrow chose by itself";
    ASSERT_EQ(steps.count(), 2);
    EXPECT_EQ(steps[0][0].toInt(), 1);
    EXPECT_EQ(steps[1][0].toInt(), -1);
    emit list.activated(2);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 2);
}

} // namespace
