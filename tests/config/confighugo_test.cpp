#include "config/confighugo.h"

#include "app/frontend.h"
#include "config/hugo_fixture.h"
#include "platform/message_box.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace {

class ConfighugoTest : public ::testing::Test {
protected:
    ConfighugoTest() {
        settings.dir = dir.SystemDir();
        previousSink = platform::SetMessageSink(
            [this](const QString&, const QString& text) { messages << text; });
    }
    ~ConfighugoTest() override {
        delete dialog.data();
        platform::SetMessageSink(previousSink);
    }
    void Open(const std::string& ini) {
        dir.Write(ini);
        delete dialog.data();
        dialog = new Confighugo(frontend);
    }
    template <class T = QAbstractButton> T* Get(const char* name) {
        T* control = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString RomDir() { return Get<QLineEdit>("Rom_Dir")->text(); }
    // The checked options of all three groups, by name.
    QStringList Selected() {
        QStringList names;
        for (QRadioButton* option : dialog->findChildren<QRadioButton*>()) {
            if (option->isChecked()) {
                names << option->objectName();
            }
        }
        names.sort();
        return names;
    }
    void Press(const char* name) {
        Get(name)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    IniDir dir;
    FakeSettings settings;
    NoStarter starter;
    FakeFileDialog files;
    Frontend frontend{platform::Services{settings, starter, files}};
    QPointer<Confighugo> dialog;
    QStringList messages;
    platform::MessageSink previousSink;
};

TEST_F(ConfighugoTest, OpensWithWhatTheFileSelects) {
    struct Case {
        std::string ini;
        QStringList selected;
        QString romDir;
        Qt::CheckState eagle, sound;
    };
    const Case cases[] = {
        {"[Main]\nvmode=3\nlanguage=1\nconfig=0\nrom_dir=C:\\roms\\\neagle=2\nsmode=-1\n",
         {"Option1", "graph4", "langue2"},
         "C:\\roms\\",
         Qt::PartiallyChecked,
         Qt::Checked},
        // No key borrows the value read before it.
        {"[Main]\nlanguage=7\n", {"graph1", "langue8"}, "", Qt::Unchecked, Qt::Unchecked},
        {"[Main]\nlanguage=9\nsmode=1\n", {"graph1"}, "", Qt::Unchecked, Qt::Unchecked},
        {"", {"graph1"}, "", Qt::Unchecked, Qt::Unchecked},
        {"[Main]\nvmode=abc\neagle=3\n", {"graph1"}, "", Qt::Unchecked, Qt::Unchecked},
        {"[Main]\nvmode=300\n", {"graph1"}, "", Qt::Unchecked, Qt::Unchecked},
        {"[Main]\nvmode=-5\nconfig=-5\n", {"graph1"}, "", Qt::Unchecked, Qt::Unchecked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        Open(c.ini);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(RomDir(), c.romDir);
        EXPECT_EQ(Get<QCheckBox>("Modeeagle")->checkState(), c.eagle);
        EXPECT_EQ(Get<QCheckBox>("Son")->checkState(), c.sound);
        EXPECT_EQ(Get<QTabWidget>("SSTab")->currentIndex(), 0);
    }
}

TEST_F(ConfighugoTest, ClicksStayWithinTheirOwnGroup) {
    Open("[Main]\nvmode=1\nlanguage=2\nconfig=3\neagle=2\n");
    Press("graph3");
    EXPECT_EQ(Selected(), (QStringList{"Option4", "graph3", "langue3"}));
    Press("graph3"); // clicking the selected option keeps it selected
    Press("Option1");
    EXPECT_EQ(Selected(), (QStringList{"Option1", "graph3", "langue3"}));

    std::vector<Qt::CheckState> seen; // indeterminate only as loaded
    for (int i = 0; i < 3; ++i) {
        Press("Modeeagle");
        seen.push_back(Get<QCheckBox>("Modeeagle")->checkState());
    }
    EXPECT_EQ(seen, (std::vector<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Checked}));
}

TEST_F(ConfighugoTest, OkRightAfterOpeningChangesOnlyTheRomDirectory) {
    const std::string before = "; Hu-Go! settings\r\n[Main]\r\nvmode=1\r\nextra=keep me\r\n"
                               "language=7\r\nrom_dir=C:\\Program Files\\roms\\\r\neagle=0\r\n"
                               "exact_draw=1\r\nsmode=-1\r\nstatic_refresh=0\r\nconfig=2\r\n"
                               "\r\n[Joypad]\r\nup=72\r\n";
    Open(before);
    Press("OKButton");
    EXPECT_TRUE(dialog.isNull());
    std::string expected = before;
    const std::string romDir = "C:\\Program Files\\roms\\";
    expected.replace(expected.find(romDir), romDir.size(), "C:\\Progra~1\\roms\\");
    EXPECT_EQ(dir.Read(), expected);
}

TEST_F(ConfighugoTest, OkWritesTheShownState) {
    Open("[Main]\r\nlanguage=9\r\nsmode=-1\r\neagle=2\r\nconfig=2\r\nmine=1\r\n");
    Press("Son");
    Get<QLineEdit>("Rom_Dir")->setText(QStringLiteral("D:\\roms\\pce"));
    Press("OKButton");
    EXPECT_EQ(dir.Read(), "[Main]\r\nlanguage=9\r\nsmode=0\r\neagle=1\r\nconfig=2\r\nmine=1\r\n"
                          "vmode=0\r\nrom_dir=D:\\roms\\pce\\\r\nexact_draw=0\r\n"
                          "static_refresh=0\r\n");
    Open(dir.Read());
    Press("Son");
    Press("OKButton");
    EXPECT_NE(dir.Read().find("smode=-1\r\n"), std::string::npos);
}

TEST_F(ConfighugoTest, RomDirectoryInAnotherCodePageSurvives) {
    const std::string latin1 = "[Main]\nrom_dir=C:\\Jeux\\\xC9mul\\\n";
    Open(latin1);
    EXPECT_EQ(RomDir(), QString::fromUtf8("C:\\Jeux\\Émul\\"));
    Press("OKButton");
    EXPECT_EQ(dir.Read().substr(0, latin1.size()), latin1);

    Open(latin1); // an edit keeps the code page the value came in
    Get<QLineEdit>("Rom_Dir")->setText(QString::fromUtf8("C:\\Jeux\\Émul\\Île\\"));
    Press("OKButton");
    EXPECT_NE(dir.Read().find("rom_dir=C:\\Jeux\\\xC9mul\\\xCEle\\\n"), std::string::npos);
}

TEST_F(ConfighugoTest, CancelAndTheCloseBoxWriteNothing) {
    const std::string before = "[Main]\nvmode=2\nsmode=-1\n";
    for (const bool closeBox : {false, true}) {
        Open(before);
        Press("graph5");
        Press("Son");
        if (closeBox) {
            dialog->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            Press("CancelButton");
        }
        EXPECT_TRUE(dialog.isNull());
        EXPECT_EQ(dir.Read(), before);
    }
}

TEST_F(ConfighugoTest, BrowseTakesTheChosenFilesDirectory) {
    Open("[Main]\nrom_dir=C:\\old\\\n");
    Press("Browse"); // cancelled
    EXPECT_EQ(RomDir(), QStringLiteral("C:\\old\\"));
    files.chosen = "Z:\\home\\ann\\PC Engine Games\\Bomberman '93.pce";
    Press("Browse");
    EXPECT_EQ(RomDir(), QStringLiteral("Z:\\home\\ann\\PC Engine Games\\"));
    Press("OKButton");
    EXPECT_NE(dir.Read().find("rom_dir=Z:\\home\\ann\\PC Eng~1\\"), std::string::npos);
}

TEST_F(ConfighugoTest, SetupAgainKeepsTheUnsavedState) {
    dir.Write("[Main]\nvmode=2\n");
    frontend.Setup_Click();
    dialog = frontend.configDialog();
    Press("graph5");
    frontend.Setup_Click();
    EXPECT_EQ(frontend.configDialog(), dialog.data());
    EXPECT_EQ(Selected(), QStringList{"graph5"});
}

// Sets or clears the immutable flag, which stops even root from writing.
void SetImmutable(const std::string& file, bool on) {
    const int fd = open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) {
        close(fd);
    }
}

TEST_F(ConfighugoTest, AFileThatCannotBeWrittenKeepsTheDialogOpen) {
    const std::string before = "[Main]\nvmode=1\nrom_dir=C:\\Program Files\\\n";
    Open(before);
    chmod(dir.File().c_str(), 0444);
    SetImmutable(dir.File(), true);
    if (access(dir.File().c_str(), W_OK) == 0 && geteuid() != 0) {
        GTEST_SKIP() << "the file stays writable here";
    }
    Press("graph3");
    Press("OKButton");
    SetImmutable(dir.File(), false);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dir.Read(), before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(dir.SystemDir() + "Hu-go!.ini")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("denied"), Qt::CaseInsensitive))
        << messages[0].toStdString();
    EXPECT_EQ(RomDir(), QStringLiteral("C:\\Progra~1\\"));
    EXPECT_EQ(Selected(), QStringList{"graph3"});
}

TEST_F(ConfighugoTest, LooksAsDesigned) {
    Open("");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setup Hu-Go!"));
    EXPECT_EQ(dialog->size(), QSize(Twips(9435), Twips(4890)));
    EXPECT_EQ(Get("CancelButton")->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(Get("Option2")->text(), QStringLiteral("1 player - Pad"));
    EXPECT_EQ(Get("Exactdraw")->toolTip(),
              QString::fromUtf8("Fonction plus lente mais plus précise d'affichage des sprites"));

    QStringList order;
    QWidget* w = Get("OKButton");
    do {
        // The tab bar and its scroll buttons stand in for SSTab.
        if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QTabBar*>(w) &&
            !qobject_cast<QTabBar*>(w->parentWidget())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != Get("OKButton"));
    EXPECT_EQ(order.join(QLatin1Char(' ')).toStdString(),
              std::string("OKButton CancelButton SSTab Rom_Dir graph1 graph2 graph3 graph4 "
                          "graph5 langue1 langue2 langue3 langue4 langue5 langue6 langue7 "
                          "langue8 Modeeagle Exactdraw Son Staticrefresh Option1 Option2 "
                          "Option3 Option4 Browse"));
}

} // namespace
