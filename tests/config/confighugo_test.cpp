// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/confighugo.h"

#include "app/frontend.h"
#include "config/hugo_fixture.h"
#include "platform/files/paths.h"
#include "platform/widgets/message_box.h"
#include "support/temp_dir.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace {

class Setup : public ::testing::Test {
protected:
    Setup() { settings.dir = dir.SystemDir(); }
    ~Setup() override {
        delete dialog.data();
        platform::SetMessageSink(previousSink);
    }
    // "Setup" on a "Hu-go!.ini" holding `ini`, or on none at all.
    void Open(const char* ini) {
        delete dialog.data();
        std::filesystem::remove(dir.File());
        if (ini != nullptr) {
            dir.Write(ini);
        }
        frontend.Setup_Click();
        dialog = frontend.configDialog();
    }
    template <class T = QAbstractButton> T* Get(QString n) { return dialog->findChild<T*>(n); }
    // The user's steps: "Name=text" types into a box, "close" is the close box,
    // "Setup" the main window's button; any other name is clicked.
    void Do(const QString& steps) {
        for (const QString& step : steps.split(' ')) {
            if (step.contains('=')) {
                Get<QLineEdit>(step.section('=', 0, 0))->setText(step.section('=', 1));
            } else if (step == "close") {
                dialog->close();
            } else if (step == "Setup") {
                frontend.Setup_Click();
            } else {
                Get(step)->click();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    // The selected options, the ROM directory and the switches Mode Eagle, Exact
    // Draw, Sound and Static Refresh ("-" clear, "?" indeterminate, "x" checked).
    std::string Shown() {
        QStringList options;
        for (const QRadioButton* option : dialog->findChildren<QRadioButton*>()) {
            if (option->isChecked()) {
                options << option->objectName();
            }
        }
        options.sort();
        options << "[" + Get<QLineEdit>("Rom_Dir")->text() + "] ";
        for (const char* name : {"Modeeagle", "Exactdraw", "Son", "Staticrefresh"}) {
            options.back() += QLatin1Char("-?x"[Get<QCheckBox>(name)->checkState()]);
        }
        return options.join(' ').toStdString();
    }

    IniDir dir;
    FakeSettings settings;
    NoStarter starter;
    FakeFileDialog files;
    Frontend frontend{platform::Services{settings, starter, files}};
    QPointer<Confighugo> dialog;
    QStringList messages;
    platform::MessageSink previousSink =
        platform::SetMessageSink([this](const QString&, const QString& text) { messages << text; });
};

TEST_F(Setup, TheRomDirectoryOpensAtTheStartOfItsText) {
    const std::string longDir = "D:\\" + std::string(120, 'r') + "\\pce\\";
    Open(("[Main]\r\nrom_dir=" + longDir + "\r\n").c_str());
    dialog->show();
    EXPECT_EQ(Get<QLineEdit>("Rom_Dir")->text().toStdString(), longDir);
    EXPECT_EQ(Get<QLineEdit>("Rom_Dir")->cursorPosition(), 0);
}

TEST_F(Setup, OpensShowingWhatTheFileSelects) {
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "graph1 [] ----"},
        {"[Main]\nvmode=3\nlanguage=1\nconfig=0\nrom_dir=C:\\roms\\\neagle=2\nsmode=-1\n",
         "Option1 graph4 langue2 [C:\\roms\\] ?-x-"},
        // No key borrows the value read before it.
        {"[Main]\nlanguage=7\nexact_draw=1\n", "graph1 langue8 [] -x--"},
        {"[Main]\nlanguage=9\nsmode=1\nstatic_refresh=2\n", "graph1 [] ---?"},
        {"[Main]\nvmode=abc\neagle=3\n", "graph1 [] ----"},
        {"[Main]\nvmode=300\nconfig=4\n", "graph1 [] ----"},
        {"[Main]\nvmode=-5\nconfig=-5\neagle=-1\n", "graph1 [] ----"},
        {"[Main]\nvmode=3x\nlanguage=99999999999999999999\nsmode=-2\n", "graph1 [] --?-"},
        {"[Other]\nvmode=3\nrom_dir=C:\\\n", "graph1 [] ----"},
        {"[Main]\nrom_dir=C:\\Jeux\\\xC9mul\\\n", "graph1 [C:\\Jeux\\Émul\\] ----"},
    };
    for (const auto& [ini, shown] : cases) {
        SCOPED_TRACE(ini ? ini : "no file");
        Open(ini);
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(Get<QTabWidget>("SSTab")->currentIndex(), 0);
    }
}

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
        QString steps;
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
         "graph1 [C:\\Jeux\\Émul\\] ----"},
        // An edit keeps the code page the value came in.
        {latin1 + "\n", "Rom_Dir=C:\\Jeux\\Émul\\Île\\ OKButton",
         latin1 + "\xCEle\\\nvmode=0\n" + switches, "graph1 [C:\\Jeux\\Émul\\Île\\] ----"},
        // Each group on its own, unsaved through "Setup" again, which only raises the
        // dialog; the user's clicks never make a switch indeterminate.
        {"[Main]\nvmode=1\nlanguage=2\nconfig=3\neagle=2\n",
         "langue5 graph3 Setup graph3 Option1 Modeeagle Modeeagle Modeeagle Modeeagle OKButton",
         "[Main]\nvmode=2\nlanguage=4\nconfig=0\neagle=0\nrom_dir=\nexact_draw=0\nsmode=0\n"
         "static_refresh=0\n",
         "Option1 graph3 langue5 [] ----"},
        {"[Main]\nvmode=2\nsmode=-1\n", "graph5 Son CancelButton", "[Main]\nvmode=2\nsmode=-1\n",
         "graph3 [] --x-"},
        {"[Main]\nvmode=2\nsmode=-1\n", "graph5 Son close", "[Main]\nvmode=2\nsmode=-1\n",
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
        files.answers = {"Z:\\home\\ann\\PC Engine Games\\Bomberman '93.pce", ""};
        SCOPED_TRACE(c.steps.toStdString() + " on " + c.before);
        Open(c.before.c_str());
        Do(c.steps);
        EXPECT_TRUE(dialog.isNull());
        EXPECT_EQ(frontend.configDialog(), nullptr);
        EXPECT_EQ(dir.Read(), c.after);
        Open(dir.Read().c_str());
        EXPECT_EQ(Shown(), c.reopened);
    }
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

// A ROM directory whose short form leads into a sibling that holds its "~1":
// asked before writing; No writes nothing and keeps the text.
TEST_F(Setup, AsksBeforeWritingARomDirectoryWhoseShortFormLeadsElsewhere) {
    QuestionRecorder asked;
    QStringList& questions = asked.questions;
    TempDir roms{TempDir::ShortNamed{}};
    roms.MakeDir("PC Engine Archive");
    roms.MakeDir("PC Engine Games");
    const std::string base = platform::PathMap::System().ToSystem(roms.native());
    const std::string before = "[Main]\nrom_dir=C:\\\n";
    Open(before.c_str());
    const QString typed = QString::fromStdString(base + "\\PC Engine Games\\");
    Get<QLineEdit>("Rom_Dir")->setText(typed);
    Do("OKButton");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QString::fromStdString(base + "\\PC Engine Archive\\")))
        << questions[0].toStdString();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dir.Read(), before);
    EXPECT_EQ(Get<QLineEdit>("Rom_Dir")->text(), typed);

    asked.answer = true;
    Do("OKButton");
    EXPECT_TRUE(dialog.isNull());
    EXPECT_NE(dir.Read().find("rom_dir=" + base + "\\PC Eng~1\\"), std::string::npos) << dir.Read();

    // The sibling that leads there: nothing asked.
    Open(before.c_str());
    Get<QLineEdit>("Rom_Dir")->setText(QString::fromStdString(base + "\\PC Engine Archive"));
    Do("OKButton");
    EXPECT_EQ(questions.size(), 2);
    EXPECT_TRUE(dialog.isNull());
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
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dir.Read(), before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(dir.SystemDir() + "Hu-go!.ini")) &&
                messages[0].contains(QStringLiteral("denied"), Qt::CaseInsensitive))
        << messages[0].toStdString();
    EXPECT_EQ(Shown(), "graph3 [C:\\Progra~1\\] ----");
}

TEST_F(Setup, LooksAsDesigned) {
    Open(nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setup Hu-Go!"));
    EXPECT_EQ(dialog->size(), QSize(Twips(9435), Twips(4890)));
    const std::pair<const char*, QString> captions[] = {{"OKButton", "OK"},
                                                        {"CancelButton", "Annuler"},
                                                        {"langue8", "Polish"},
                                                        {"Option2", "1 player - Pad"},
                                                        {"Browse", "..."}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(Get(name)->text(), caption) << name;
    }
    EXPECT_EQ(Get("Exactdraw")->toolTip(),
              QString("Fonction plus lente mais plus précise d'affichage des sprites"));
    const QStringList order =
        QStringLiteral("OKButton CancelButton SSTab Rom_Dir graph1 graph2 graph3 graph4 graph5 "
                       "langue1 langue2 langue3 langue4 langue5 langue6 langue7 langue8 Modeeagle "
                       "Exactdraw Son Staticrefresh Option1 Option2 Option3 Option4 Browse")
            .split(' ');
    EXPECT_EQ(TabOrder(Get("OKButton"), order), order);
}

} // namespace
