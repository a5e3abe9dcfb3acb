// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"
#include "app/frontend.h"
#include "config/confighugo.h"
#include "location/pathemulator.h"
#include "platform/files/paths.h"
#include "platform/widgets/dir_list.h"
#include "platform/widgets/drive_list.h"
#include "platform/widgets/file_list.h"
#include "platform/widgets/message_box.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "support/widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A main window started in a directory tree of the test's own, with the
// operating system faked and message boxes recorded.
class FrontendTest : public ::testing::Test {
protected:
    FrontendTest() {
        for (const char* name :
             {"GAME.PCE", "game.pce", "Game.Pce", "game.zip", "disc.iso", "notes.txt"}) {
            tree.Write(std::string("roms/") + name);
        }
        tree.Write("roms/Hudson Collection/Long image name.pce");
        previous = fs::current_path();
        fs::current_path(tree.path() / "roms");
        previousSink = platform::SetMessageSink(
            [this](const QString& title, const QString& text) { messages << title + "|" + text; });
        window = std::make_unique<Frontend>(system.services());
    }
    ~FrontendTest() override {
        window.reset();
        platform::SetMessageSink(previousSink);
        fs::current_path(previous);
    }

    template <class T> T* Control(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    std::vector<std::string> Files() {
        auto* list = Control<platform::FileList>("File");
        std::vector<std::string> names;
        for (int i = 0; i < list->count(); ++i) {
            names.push_back(list->Text(i).toStdString());
        }
        return names;
    }
    void Select(const std::string& name) {
        auto* list = Control<platform::FileList>("File");
        for (int i = 0; i < list->count(); ++i) {
            if (list->Text(i).toStdString() == name) {
                list->SetCurrentRow(i);
                return;
            }
        }
        FAIL() << "no image " << name;
    }
    void Open(const std::string& name) {
        auto* dir = Control<platform::DirList>("Dir");
        for (int i = 0; i < dir->count(); ++i) {
            if (dir->Text(i).toStdString() == name) {
                emit dir->activated(dir->Row(i));
                return;
            }
        }
        FAIL() << "no directory " << name;
    }
    std::string Roms() {
        return platform::PathMap::System().ToSystem((tree.path() / "roms").string());
    }

    TempDir tree;
    fs::path previous;
    platform::MessageSink previousSink;
    QStringList messages;
    fakes::System system;
    std::unique_ptr<Frontend> window;
};

TEST_F(FrontendTest, OpensOnTheCurrentDirectoryWithItsControlsInOrder) {
    EXPECT_EQ(window->windowTitle(), "House Vorlanes' Frontend");
    EXPECT_EQ(window->centralWidget()->size(), QSize(431, 341));
    EXPECT_EQ(Control<platform::DriveList>("Drive")->Drive(), 'Z');
    EXPECT_EQ(Control<platform::DirList>("Dir")->Path(), Roms());
    EXPECT_EQ(Files(), (std::vector<std::string>{"disc.iso", "GAME.PCE", "Game.Pce", "game.pce",
                                                 "game.zip"}));
    EXPECT_EQ(window->emulatorDir(), "") << "nothing stored yet";

    const QStringList order = {"SSTab1", "SSTab2", "Drive", "Dir", "File", "Go", "Setup"};
    EXPECT_EQ(TabOrder(Control<QWidget>("SSTab1"), order), order);
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->menu()->objectName() + ":" + menu->text() + ">" +
                     menu->menu()->actions().first()->text();
    }
    EXPECT_EQ(menus,
              QStringList({"Files:Files>Quit", "Options:Options>Directories", "help:?>About"}));
}

TEST_F(FrontendTest, TheDriveAndDirectoryListsLeadTheFileList) {
    Open("Hudson Collection");
    EXPECT_EQ(Files(), std::vector<std::string>{"Long image name.pce"});
    emit Control<platform::DriveList>("Drive")->Change(); // Z: again: the process's directory
    EXPECT_EQ(Control<platform::DirList>("Dir")->Path(), Roms());
    EXPECT_EQ(Files().size(), 5u);
}

TEST_F(FrontendTest, GoStartsTheEmulatorOnTheSelectedImage) {
    window->Go_Click();
    EXPECT_TRUE(system.starter.started.empty()) << "nothing selected";

    system.settings.values[{"Vorlanes", "HuGo", "Path"}] = "C:\\HUGO\\";
    window->reload();
    Select("disc.iso");
    window->Go_Click();
    Select("Game.Pce");
    window->Go_Click();
    Open("Hudson Collection");
    Select("Long image name.pce");
    window->Go_Click();
    QTest::keyClick(Control<QPushButton>("Go"), Qt::Key_Return); // Enter on the focused Go
    const std::string roms = Frontend::ShortPath(Roms() + "\\");
    EXPECT_EQ(system.starter.started,
              (std::vector<std::string>{
                  "C:\\HUGO\\hu-go!.exe -c2 -i" + roms + "\\disc.iso",
                  "C:\\HUGO\\hu-go!.exe " + roms + "Hudson~1\\\\Long image name.pce",
                  "C:\\HUGO\\hu-go!.exe " + roms + "Hudson~1\\\\Long image name.pce"}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FrontendTest, TabIntoTheFileListANavigationKeyAndEnterOnGoStartTheEmulator) {
    system.settings.values[{"Vorlanes", "HuGo", "Path"}] = "C:\\HUGO\\";
    window->reload();
    Open("Hudson Collection"); // one image
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Down}) {
        auto* list = Control<platform::FileList>("File");
        ASSERT_TRUE(list->SetPath(list->Path())); // afresh, nothing selected
        QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(list, &tabIn);
        QTest::keyClick(list, key);
        QTest::keyClick(Control<QPushButton>("Go"), Qt::Key_Return);
    }
    const std::string image = "C:\\HUGO\\hu-go!.exe " + Frontend::ShortPath(Roms() + "\\") +
                              "Hudson~1\\\\Long image name.pce";
    EXPECT_EQ(system.starter.started, (std::vector<std::string>{image, image}));
}

TEST_F(FrontendTest, AFailedStartIsToldAndTheWindowStaysUsable) {
    system.starter.result = {false, "No such file or directory"};
    Select("game.pce");
    window->Go_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(
        messages[0].startsWith("House Vorlanes' Frontend|The emulator could not be started"));
    EXPECT_TRUE(messages[0].contains("hu-go!.exe "));
    EXPECT_TRUE(messages[0].contains("No such file or directory"));
    Open("Hudson Collection");
    EXPECT_EQ(Files().size(), 1u);
}

TEST_F(FrontendTest, AnUnreadableDirectoryIsReportedAndTheListsStay) {
    fs::remove_all(tree.path() / "roms/Hudson Collection");
    Open("Hudson Collection");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Hudson Collection"));
    EXPECT_TRUE(messages[0].contains("No such file or directory"));
    EXPECT_EQ(Control<platform::DirList>("Dir")->Path(), Roms());
    EXPECT_EQ(Files().size(), 5u);
}

TEST(FrontendStart, AnUnreadableStartDirectoryIsToldBeforeFallingBackToTheDrivesRoot) {
    TempDir tree;
    // A "\\" in a name: the system path of this directory leads elsewhere, so it
    // cannot be listed even by a user whom permissions do not stop.
    const fs::path unreadable = tree.MakeDir("a\\b");
    const InDirectory here(unreadable);
    QStringList messages;
    const platform::MessageSink previousSink = platform::SetMessageSink(
        [&](const QString& title, const QString& text) { messages << title + "|" + text; });
    fakes::System system;
    {
        Frontend window(system.services());
        EXPECT_EQ(window.findChild<platform::DirList*>("Dir")->Path(), "Z:\\");
    }
    platform::SetMessageSink(previousSink);
    ASSERT_EQ(messages.size(), 1);
    const QString path = QString::fromStdString(
        platform::PathMap::System().ToSystem(tree.path().string()) + "\\a\\b");
    EXPECT_EQ(messages[0], "House Vorlanes' Frontend|The directory " + path +
                               " cannot be read.\n\nNo such file or directory");
}

TEST_F(FrontendTest, ReloadPicksUpANewlyStoredDirectory) {
    system.settings.values[{"Vorlanes", "HuGo", "Path"}] = "D:\\Emu\\";
    EXPECT_EQ(window->emulatorDir(), "");
    window->reload();
    EXPECT_EQ(window->emulatorDir(), "D:\\Emu\\");
}

TEST_F(FrontendTest, F10AndAltAloneHighlightTheFirstMenuWithoutOpeningIt) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QMenuBar* bar = window->menuBar();
    const QRect files = bar->actionGeometry(bar->actions().first());
    const QImage plain = bar->grab(files).toImage();
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
        SCOPED_TRACE(key);
        Control<QWidget>("File")->setFocus();
        QTest::keyClick(Control<QWidget>("File"), key);
        ASSERT_NE(bar->activeAction(), nullptr);
        EXPECT_EQ(bar->activeAction()->text(), "Files");
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_NE(bar->grab(files).toImage(), plain) << "highlighted, and seen to be";
        QTest::keyClick(window->menuBar(), Qt::Key_Escape);
        EXPECT_EQ(window->menuBar()->activeAction(), nullptr);
    }
}

TEST_F(FrontendTest, EachDialogIsOneSharedInstanceLoadedAfreshAfterClosing) {
    window->Directories_Click();
    Pathemulator* first = window->pathDialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parent(), nullptr) << "an open dialog must outlive the main window";
    window->Directories_Click();
    EXPECT_EQ(window->pathDialog(), first);

    first->close();
    EXPECT_EQ(window->pathDialog(), nullptr);
    window->Directories_Click(); // in the same turn as the close
    ASSERT_NE(window->pathDialog(), nullptr);
    EXPECT_TRUE(window->pathDialog()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(window->pathDialog(), nullptr);
    EXPECT_TRUE(window->pathDialog()->isVisible());
}

TEST_F(FrontendTest, QuitLeavesTheProgramRunningWhileADialogIsOpen) {
    const int steps = StepsBeforeTheProgramEnds({
        [&] {
            window->show();
            window->About_Click();
            window->Setup_Click();
        },
        [&] { window->Quit_Click(); },
        [&] { window->aboutDialog()->close(); },
        [&] { window->configDialog()->close(); },
        [] {},
    });
    EXPECT_EQ(steps, 4) << "the program ends when its last dialog closes, not before";
    EXPECT_FALSE(window->isVisible());
}

} // namespace
