// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"
#include "location/pathemulator.h"
#include "platform/files/paths.h"
#include "platform/widgets/message_box.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "support/widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PathemulatorTest : public ::testing::Test {
protected:
    PathemulatorTest() {
        previousSink = platform::SetMessageSink(
            [this](const QString& title, const QString& text) { messages << title + "|" + text; });
    }
    ~PathemulatorTest() override {
        window.reset();
        platform::SetMessageSink(previousSink);
    }

    Pathemulator* Open() {
        window->Directories_Click();
        return window->pathDialog();
    }
    QLineEdit* Box() { return window->pathDialog()->findChild<QLineEdit*>("Pathhugo"); }
    QPushButton* Button(const char* name) {
        return window->pathDialog()->findChild<QPushButton*>(name);
    }
    void Store(const std::string& value) {
        system.settings.values[{"Vorlanes", "HuGo", "Path"}] = value;
    }

    fakes::System system;
    std::unique_ptr<Frontend> window = std::make_unique<Frontend>(system.services());
    platform::MessageSink previousSink;
    QStringList messages;
};

TEST_F(PathemulatorTest, LooksAsDesigned) {
    Pathemulator* dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Path - Emulators");
    EXPECT_EQ(dialog->size(), QSize(385, 71));
    EXPECT_EQ(dialog->geometry().topLeft(), QPoint(184, 250));
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    // Twips at 15 to the pixel: Label2, Pathhugo, Browse, OKButton, CancelButton.
    const std::pair<const char*, QRect> places[] = {{"Label2", {8, 24, 65, 17}},
                                                    {"Pathhugo", {80, 24, 153, 19}},
                                                    {"Browse", {240, 24, 17, 17}},
                                                    {"OKButton", {296, 8, 81, 25}},
                                                    {"CancelButton", {296, 40, 81, 25}}};
    for (const auto& [name, rect] : places) {
        ASSERT_NE(dialog->findChild<QWidget*>(name), nullptr) << name;
        EXPECT_EQ(dialog->findChild<QWidget*>(name)->geometry(), rect) << name;
    }
    EXPECT_EQ(Button("OKButton")->text(), "OK");
    EXPECT_EQ(Button("CancelButton")->text(), "Annuler");
    EXPECT_EQ(Button("Browse")->text(), "...");
    const QStringList order = {"OKButton", "CancelButton", "Pathhugo", "Browse"};
    EXPECT_EQ(TabOrder(Button("OKButton"), order), order);
}

struct TypedCase {
    const char* typed;
    const char* stored;
};

class PathemulatorOk : public PathemulatorTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(PathemulatorOk, StoresTheShortFormAndTheNextLaunchUsesIt) {
    Open();
    Box()->setText(QString::fromLatin1(GetParam().typed));
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    EXPECT_EQ(system.settings.Path(), GetParam().stored);
    EXPECT_EQ(window->emulatorDir(), GetParam().stored) << "reloaded without a restart";
    EXPECT_EQ(window->pathDialog(), nullptr) << "closed";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathemulatorOk,
    ::testing::Values(TypedCase{"", "\\"}, TypedCase{"D:\\Emu", "D:\\Emu\\"},
                      TypedCase{"D:\\Emu\\", "D:\\Emu\\"},
                      TypedCase{"C:\\Program Files\\Hu-Go", "C:\\Progra~1\\Hu-Go\\"},
                      TypedCase{"C:\\Emu\\hu-go!.exe", "C:\\Emu\\hu-go!~1\\"}));

TEST_F(PathemulatorTest, KeepsTheBytesItReadUnlessEdited) {
    const struct {
        std::string stored;
        const char* typed; // nullptr: the box as it opened; "?": the chosen file's directory
        QString shown;
        std::string saved;
    } cases[] = {
        {"C:\\\xE9t\xE9\\", nullptr, "C:\\\u00e9t\u00e9\\", "C:\\\xE9t\xE9\\"},
        {"C:\\\xE9t\xE9\\", "C:\\\u00e9t\u00e9\\x", "C:\\\u00e9t\u00e9\\", "C:\\\xE9t\xE9\\x\\"},
        {"C:\\\xC3\xA9t\xC3\xA9\\", nullptr, "C:\\\u00e9t\u00e9\\", "C:\\\xC3\xA9t\xC3\xA9\\"},
        {"D:\\Emu\\", "?", "D:\\Emu\\", "C:\\\xC9mu\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Store(c.stored);
        system.fileDialog.answers = {"C:\\\xC9mu\\hu-go!.exe"};
        Open();
        EXPECT_EQ(Box()->text(), c.shown);
        if (c.typed != nullptr && std::string(c.typed) == "?")
            QTest::mouseClick(Button("Browse"), Qt::LeftButton);
        else if (c.typed != nullptr)
            Box()->setText(QString::fromUtf8(c.typed));
        QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
        EXPECT_EQ(system.settings.Path(), c.saved);
        ASSERT_EQ(window->pathDialog(), nullptr);
    }
}

TEST_F(PathemulatorTest, LoadsTheStoredValueEachTimeItOpens) {
    EXPECT_EQ(Open()->findChild<QLineEdit*>("Pathhugo")->text(), "");
    window->pathDialog()->close();
    Store("D:\\Emu\\");
    Open();
    EXPECT_EQ(Box()->text(), "D:\\Emu\\");
    Box()->setText("E:\\Edited");
    Open(); // again while open: raised, not reloaded
    EXPECT_EQ(Box()->text(), "E:\\Edited");
    QTest::mouseClick(Button("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(system.settings.Path(), "D:\\Emu\\") << "Annuler stores nothing";
    Open();
    EXPECT_EQ(Box()->text(), "D:\\Emu\\");
    Box()->setText("E:\\Edited");
    window->pathDialog()->close(); // the close box
    EXPECT_EQ(system.settings.Path(), "D:\\Emu\\");
}

TEST_F(PathemulatorTest, TheBoxOpensAtTheStartOfItsTextWithTheDriveInSight) {
    const std::string longDir = "C:\\" + std::string(120, 'd') + "\\Emulator\\";
    Store(longDir);
    Open()->show();
    EXPECT_EQ(Box()->cursorPosition(), 0);
    EXPECT_LE(Box()->cursorPositionAt(QPoint(4, Box()->height() / 2)), 1)
        << "the left edge shows a later character: scrolled away from the drive letter";
    system.fileDialog.answers = {longDir + "hu-go!.exe"};
    QTest::mouseClick(Button("Browse"), Qt::LeftButton);
    EXPECT_EQ(Box()->cursorPosition(), 0) << "a browsed directory too";
}

TEST_F(PathemulatorTest, BrowseKeepsTheChosenFilesDirectory) {
    Store("D:\\Emu\\");
    Open();
    system.fileDialog.answers = {"", "C:\\Emu\\hu-go!.exe",
                                 "C:\\" + std::string(300, 'd') + "\\x.exe"};
    QTest::mouseClick(Button("Browse"), Qt::LeftButton);
    EXPECT_EQ(Box()->text(), "D:\\Emu\\") << "a cancelled choice changes nothing";
    QTest::mouseClick(Button("Browse"), Qt::LeftButton);
    EXPECT_EQ(Box()->text(), "C:\\Emu\\");
    QTest::mouseClick(Button("Browse"), Qt::LeftButton);
    EXPECT_EQ(Box()->text().size(), 3 + 300 + 1) << "any length";
    Box()->setText("C:\\Emu\\");
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    EXPECT_EQ(system.settings.Path(), "C:\\Emu\\");
    EXPECT_EQ(system.fileDialog.shown, 3);
}

TEST_F(PathemulatorTest, AFailedSaveKeepsTheDialogOpenAndSaysWhy) {
    Store("D:\\Old\\");
    window->reload();
    Open();
    Box()->setText("D:\\New");
    system.settings.failSaves = true;
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    ASSERT_NE(window->pathDialog(), nullptr);
    EXPECT_TRUE(window->pathDialog()->isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("could not be saved"));
    EXPECT_TRUE(messages[0].contains("read-only"));
    EXPECT_EQ(window->emulatorDir(), "D:\\Old\\") << "no reload";
}

// "C:\Progra~1\Hu-Go\" for "C:\Program Files (x86)\Hu-Go" leads into "Program
// Files" once that holds the "~1": asked, No keeps the dialog with its text.
TEST_F(PathemulatorTest, AsksBeforeStoringAShortFormThatLeadsElsewhere) {
    QuestionRecorder asked;
    QStringList& questions = asked.questions;
    TempDir alone{TempDir::ShortNamed{}};
    alone.MakeDir("Program Files (x86)/Hu-Go");
    TempDir both{TempDir::ShortNamed{}};
    both.MakeDir("Program Files");
    both.MakeDir("Program Files (x86)/Hu-Go");
    const std::string aloneDir = platform::PathMap::System().ToSystem(alone.native());
    const std::string bothDir = platform::PathMap::System().ToSystem(both.native());

    Open();
    Box()->setText(QString::fromStdString(aloneDir + "\\Program Files (x86)\\Hu-Go"));
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    EXPECT_TRUE(questions.isEmpty()) << "the short form leads where it should";
    EXPECT_EQ(system.settings.Path(), aloneDir + "\\Progra~1\\Hu-Go\\");

    Open();
    Box()->setText(QString::fromStdString(bothDir + "\\Program Files (x86)\\Hu-Go\\x\\"));
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    EXPECT_TRUE(questions.isEmpty()) << "a directory that does not exist";
    EXPECT_EQ(system.settings.Path(), bothDir + "\\Progra~1\\Hu-Go\\x\\");

    const QString typed = QString::fromStdString(bothDir + "\\Program Files (x86)\\Hu-Go");
    Open();
    Box()->setText(typed);
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QString::fromStdString(bothDir + "\\Program Files\\Hu-Go\\")))
        << questions[0].toStdString();
    EXPECT_TRUE(questions[0].contains(typed + "\\")) << questions[0].toStdString();
    EXPECT_TRUE(questions[0].endsWith("Store anyway?"));
    ASSERT_NE(window->pathDialog(), nullptr);
    EXPECT_TRUE(window->pathDialog()->isVisible());
    EXPECT_EQ(Box()->text(), typed);
    EXPECT_EQ(system.settings.Path(), bothDir + "\\Progra~1\\Hu-Go\\x\\") << "nothing stored";

    asked.answer = true;
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(system.settings.Path(), bothDir + "\\Progra~1\\Hu-Go\\");
    EXPECT_EQ(window->pathDialog(), nullptr);
}

TEST_F(PathemulatorTest, ASaveThatSetADamagedFileAsideSaysSo) {
    system.settings.note = "The settings file was kept as Vorlanes.conf.damaged.";
    Open();
    Box()->setText("D:\\New");
    QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Vorlanes.conf.damaged")) << messages[0].toStdString();
    EXPECT_EQ(window->pathDialog(), nullptr);
    EXPECT_EQ(window->emulatorDir(), "D:\\New\\");
}

TEST_F(PathemulatorTest, KeysPressOnlyTheFocusedButton) {
    Store("D:\\Emu\\");
    Pathemulator* dialog = Open();
    dialog->activateWindow();
    Box()->setText("D:\\Typed");
    Box()->setFocus();
    QTest::keyClick(Box(), Qt::Key_Return);
    QTest::keyClick(Box(), Qt::Key_Escape);
    QTest::keyClick(dialog, Qt::Key_Escape);
    ASSERT_EQ(window->pathDialog(), dialog) << "Enter in the box and Esc do nothing";
    EXPECT_EQ(system.settings.Path(), "D:\\Emu\\");

    Button("CancelButton")->setFocus();
    QTest::keyClick(Button("CancelButton"), Qt::Key_Return);
    EXPECT_EQ(window->pathDialog(), nullptr);
    EXPECT_EQ(system.settings.Path(), "D:\\Emu\\");

    Open();
    Box()->setText("D:\\Typed");
    QTest::keyClick(Button("OKButton"), Qt::Key_Enter);
    EXPECT_EQ(system.settings.Path(), "D:\\Typed\\");
}

TEST_F(PathemulatorTest, OkAfterTheMainWindowClosedSavesAndEndsTheProgramWithTheDialog) {
    const int steps = StepsBeforeTheProgramEnds({
        [&] {
            window->show();
            Open();
        },
        [&] { window->Quit_Click(); },
        [&] {
            Box()->setText("D:\\Emu");
            QTest::mouseClick(Button("OKButton"), Qt::LeftButton);
        },
        [] {},
    });
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(system.settings.Path(), "D:\\Emu\\");
    EXPECT_FALSE(window->isVisible()) << "the main window is not brought back";
}

} // namespace
