// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"
#include "config/confighugo.h"
#include "forms/lists.h"
#include "front/qt/dialog_style.h"
#include "front/qt/file_dialog.h"
#include "front/qt/file_list.h"
#include "location/pathemulator.h"
#include "support/qt_program.h"
#include "support/temp_dir.h"
#include "support/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <span>

namespace {

class QtFrontTest : public ::testing::Test {
protected:
    QtFrontTest() {
        // With none stored, Setup would open with a word on where its settings go.
        program.system.settings.values[{"Vorlanes", "HuGo", "Path"}] = "Z:\\nonexistent\\";
        program.host.Show(program.main);
        program.main.Setup_Click();
        program.main.Directories_Click();
        program.main.About_Click();
    }
    Confighugo* setup() { return program.main.configDialog(); }
    Pathemulator* path() { return program.main.pathDialog(); }
    QtProgram program;
};

// Every control a widget named as its control, placed at its twips (15 to a
// pixel) within its frame or tab page, captions and tool tips as described.
TEST_F(QtFrontTest, BuildsEveryWindowFromItsDescription) {
    for (const forms::Form* form : program.Forms()) {
        const forms::Description& d = form->description();
        SCOPED_TRACE(std::string(d.name));
        QWidget* window = program.Window(form);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle().toStdString(), d.caption);
        EXPECT_FALSE(window->windowIcon().isNull());
        const QWidget* client = qobject_cast<QMainWindow*>(window)
                                    ? static_cast<QMainWindow*>(window)->centralWidget()
                                    : window;
        EXPECT_EQ(client->size(), QSize(qtfront::Twips(d.width), qtfront::Twips(d.height)));
        for (const forms::Control& c : d.controls) {
            auto* w =
                window->findChild<QWidget*>(QString::fromLatin1(c.name.data(), c.name.size()));
            ASSERT_NE(w, nullptr) << c.name;
            EXPECT_EQ(w->toolTip().toStdString(), c.toolTip) << c.name;
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                EXPECT_EQ(button->text().toStdString(), c.caption) << c.name;
            }
            // Within a tab control the row of tabs counts, as the description has it.
            const QWidget* container = c.container.empty()
                                           ? client
                                           : window->findChild<QWidget*>(QString::fromLatin1(
                                                 c.container.data(), c.container.size()));
            EXPECT_EQ(QRect(w->mapTo(container, QPoint(0, 0)), w->size()), qtfront::Twips(c.rect))
                << c.name;
        }
    }
    EXPECT_EQ(program.Window(path())->geometry().topLeft(), QPoint(184, 250));
}

TEST_F(QtFrontTest, DialogsAreFixedToolWindowsAndTheMainWindowHasItsMenus) {
    const std::vector<const forms::Form*> dialogs = program.Forms();
    for (const forms::Form* form : std::span(dialogs).subspan(1)) {
        QWidget* dialog = program.Window(form);
        EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
        EXPECT_FALSE(dialog->windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->parent(), nullptr) << "an open dialog must outlive the main window";
    }
    QStringList menus;
    auto* main = static_cast<QMainWindow*>(program.Window(&program.main));
    for (QAction* menu : main->menuBar()->actions()) {
        menus << menu->menu()->objectName() + ":" + menu->text() + ">" +
                     menu->menu()->actions().first()->text();
    }
    EXPECT_EQ(menus,
              QStringList({"Files:Files>Quit", "Options:Options>Directories", "help:?>About"}));
}

// Tab reaches a group of options once, at its selected option; the arrows
// select the next or previous one, through its handler.
TEST_F(QtFrontTest, EachOptionGroupIsOneTabStopWhoseArrowsSelect) {
    const forms::Form* form = setup();
    const QStringList all =
        QStringLiteral(
            "OKButton CancelButton SSTab Rom_Dir graph1 graph2 graph3 graph4 graph5 langue1 "
            "langue2 "
            "langue3 langue4 langue5 langue6 langue7 langue8 Modeeagle Exactdraw Son Staticrefresh "
            "Option1 Option2 Option3 Option4 Browse")
            .split(' ');
    EXPECT_EQ(TabOrder(program.Get(form, "OKButton"), all),
              QStringLiteral("OKButton CancelButton SSTab Rom_Dir graph1 langue1 Modeeagle "
                             "Exactdraw Son Staticrefresh Option1 Browse")
                  .split(' '));
    auto* graph1 = program.Get<QRadioButton>(form, "graph1");
    QTest::keyClick(graph1, Qt::Key_Down);
    QTest::keyClick(program.Get(form, "graph2"), Qt::Key_Down);
    EXPECT_TRUE(program.Get<QRadioButton>(form, "graph3")->isChecked());
    EXPECT_FALSE(graph1->isChecked());
    QTest::keyClick(program.Get(form, "graph3"), Qt::Key_Up);
    EXPECT_TRUE(program.Get<QRadioButton>(form, "graph2")->isChecked());
    EXPECT_EQ(TabOrder(program.Get(form, "OKButton"), all).at(4), "graph2");
}

TEST_F(QtFrontTest, ArrowsOnACheckBoxStayWithIt) {
    auto* eagle = program.Get(setup(), "Modeeagle");
    eagle->setFocus();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Right}) {
        QTest::keyClick(eagle, key);
        EXPECT_EQ(program.Window(setup())->focusWidget(), eagle) << key;
    }
}

TEST_F(QtFrontTest, ACheckBoxClickedGoesBetweenClearAndCheckedOnly) {
    auto* eagle = program.Get<QCheckBox>(setup(), "Modeeagle");
    eagle->setCheckState(Qt::PartiallyChecked);
    const Qt::CheckState after[] = {Qt::Checked, Qt::Unchecked, Qt::Checked};
    for (const Qt::CheckState state : after) {
        eagle->click();
        EXPECT_EQ(eagle->checkState(), state);
    }
}

TEST_F(QtFrontTest, EnterPressesOnlyTheFocusedButtonAndEscDoesNothing) {
    program.system.settings.values[{"Vorlanes", "HuGo", "Path"}] = "D:\\Emu\\";
    auto* box = program.Get<QLineEdit>(path(), "Pathhugo");
    box->setText("D:\\Typed");
    for (QWidget* target : {static_cast<QWidget*>(box), program.Window(path())}) {
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Escape);
    }
    ASSERT_TRUE(path()->Loaded());
    EXPECT_EQ(program.system.settings.Path(), "D:\\Emu\\");
    QTest::keyClick(program.Get(path(), "OKButton"), Qt::Key_Enter);
    EXPECT_FALSE(path()->Loaded());
    EXPECT_EQ(program.system.settings.Path(), "D:\\Typed\\");
}

// Text nobody edited goes back byte for byte; an edit keeps the code page the
// text came in where it can; the box shows its start.
TEST_F(QtFrontTest, ATextBoxKeepsTheBytesItWasGivenUnlessEdited) {
    const struct {
        std::string bytes;
        const char* edit; // UTF-8; null: not edited
        QString shown;
        std::string after;
    } cases[] = {
        {"C:\\\xE9t\xE9\\", nullptr, "C:\\\u00e9t\u00e9\\", "C:\\\xE9t\xE9\\"},
        {"C:\\\xE9t\xE9\\", "C:\\\u00e9t\u00e9\\x", "C:\\\u00e9t\u00e9\\", "C:\\\xE9t\xE9\\x"},
        {"C:\\\xC3\xA9t\xC3\xA9\\", nullptr, "C:\\\u00e9t\u00e9\\", "C:\\\xC3\xA9t\xC3\xA9\\"},
    };
    auto* box = program.Get<QLineEdit>(path(), "Pathhugo");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        program.system.settings.values[{"Vorlanes", "HuGo", "Path"}] = c.bytes;
        if (path()->Loaded()) {
            program.Get<QPushButton>(path(), "CancelButton")->click();
        }
        program.main.Directories_Click();
        box = program.Get<QLineEdit>(path(), "Pathhugo");
        EXPECT_EQ(box->text(), c.shown);
        EXPECT_EQ(box->cursorPosition(), 0);
        if (c.edit != nullptr) {
            box->setText(QString::fromUtf8(c.edit));
        }
        program.Get<QPushButton>(path(), "OKButton")->click();
        EXPECT_EQ(program.system.settings.Path(), c.after + (c.edit ? "\\" : ""));
    }
}

TEST_F(QtFrontTest, F10AndAltAloneHighlightTheFirstMenuWithoutOpeningIt) {
    auto* main = static_cast<QMainWindow*>(program.Window(&program.main));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QMenuBar* bar = main->menuBar();
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
        SCOPED_TRACE(key);
        QWidget* list = program.Get(&program.main, "File");
        list->setFocus();
        QTest::keyClick(list, key);
        ASSERT_NE(bar->activeAction(), nullptr);
        EXPECT_EQ(bar->activeAction()->text(), "Files");
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(bar, Qt::Key_Escape);
        EXPECT_EQ(bar->activeAction(), nullptr);
    }
}

TEST_F(QtFrontTest, TheProgramEndsWhenItsLastWindowCloses) {
    const int steps = StepsBeforeTheProgramEnds({
        [&] { program.Window(&program.main)->close(); },
        [&] { program.Window(setup())->close(); },
        [&] { program.Get<QPushButton>(path(), "CancelButton")->click(); },
        [&] { program.Get<QPushButton>(program.main.aboutDialog(), "OKButton")->click(); },
        [] {},
    });
    EXPECT_EQ(steps, 4) << "not before the last dialog has closed";
}

// Its places are the program's drives, named as the drive list names them.
TEST_F(QtFrontTest, TheOpenDialogSpeaksTheProgramsDrivesAndPaths) {
    const TempDir games;
    games.Write("Sub/Bonk.pce");
    const platform::PathMap& map = platform::PathMap::System();
    const std::string sub = map.ToSystem((games.path() / "Sub").string());
    QStringList places, drives;
    QString lookIn;
    // Typed in the file-name field with the games folder open.
    for (const std::string& typed :
         {std::string("Sub\\Bonk.pce"), sub + "\\Bonk.pce", sub.substr(2) + "\\Bonk.pce",
          sub.substr(0, 2) + "Sub\\Bonk.pce"}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            const QAbstractItemModel* side = dialog->findChild<QListView*>("sidebar")->model();
            places.clear();
            for (int row = 0; row < side->rowCount(); ++row)
                places << side->index(row, 0).data().toString();
            dialog->setDirectory(QString::fromStdString(games.native() + "/Sub"));
            lookIn = dialog->findChild<QComboBox*>("lookInCombo")->currentText();
            dialog->setDirectory(QString::fromStdString(games.native()));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(QString::fromLocal8Bit(typed.c_str()));
            // A name the dialog cannot find brings its warning: answered, and the dialog closed.
            QTimer::singleShot(0, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->reject();
            });
            QTest::keyClick(name, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        EXPECT_EQ(qtfront::ChooseFile(program.Window(path())), sub + "\\Bonk.pce") << typed;
    }
    EXPECT_EQ(lookIn.toStdString(), sub);
    const forms::DriveRows rows(map.Drives());
    for (int row = 0; row < rows.Count(); ++row)
        drives << QString::fromLocal8Bit(rows.Text(row));
    places.sort();
    drives.sort();
    EXPECT_EQ(places, drives);
}

// A large directory's first rows show at once, the whole once they have been
// painted, the file selected meanwhile still selected.
TEST(QtFront, ALargeDirectoryShowsWholeOnceItsFirstRowsArePainted) {
    const TempDir big;
    const int total = static_cast<int>(forms::DirRows::kFirstEntries) + 40;
    big.WriteNumbered("", total);
    QtProgram program;
    {
        const InDirectory there(big.path());
        program.host.Show(program.main);
    }
    auto* files = program.Get<qtfront::FileList>(&program.main, "File");
    ASSERT_LT(files->count(), total);
    files->SetCurrentRow(files->count() / 2); // where names read later come before it
    const std::string chosen = files->FileName();
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->count() == total; }));
    EXPECT_EQ(files->FileName(), chosen);
}

} // namespace
