// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Points the user's native settings at a directory of the test's own.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { UseDirectory(config.native()); }
    void TearDown() override { UseDirectory(config.native()); }

    static void UseDirectory(const std::string& dir) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir));
    }

    std::string FileText() {
        std::ifstream in(config.path() / "Vorlanes.conf");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir config;
    platform::SettingsStore& store = platform::SystemSettings();
};

TEST_F(SettingsStoreTest, AnAbsentEntryReadsEmpty) {
    EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), "");
}

TEST_F(SettingsStoreTest, SavesPrivatelyAndReplacesTheOldValue) {
    ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", "C:\\Progra~1\\Hu-Go\\").ok);
    ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", "D:\\Emu\\").ok);
    EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), "D:\\Emu\\");
    EXPECT_NE(FileText().find("[HuGo]"), std::string::npos);
    const fs::perms perms = fs::status(config.path() / "Vorlanes.conf").permissions();
    EXPECT_EQ(perms & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsStoreTest, TheValueSurvivesANewProcessByteForByte) {
    // Plain text, UTF-8, and Latin-1 bytes that are no text in a UTF-8 locale.
    for (const std::string value :
         {"D:\\Jeux\\PC Eng~1\\", "C:\\\xC3\xA9t\xC3\xA9\\", "C:\\\xE9t\xE9\\"}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", value).ok);
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), value);
        QProcess child;
        QStringList env = QProcess::systemEnvironment();
        env << QStringLiteral("VORLANES_TEST_SETTINGS_DIR=") +
                   QString::fromStdString(config.native());
        child.setEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=SettingsChild.PrintsTheStoredPath")});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_TRUE(child.readAllStandardOutput().contains(
            QByteArray::fromStdString("stored=[" + value + "]")));
    }
}

TEST_F(SettingsStoreTest, CreatesItsFilesPrivateFromTheStart) {
    // A store in a directory not made yet: whatever it creates is made private,
    // not made open and closed afterwards.
    const fs::path dir = config.path() / "new";
    UseDirectory(dir.string());
    const mode_t previous = ::umask(022);
    const bool ok = store.Save("Vorlanes", "HuGo", "Path", "D:\\Emu\\").ok;
    ::umask(previous);
    ASSERT_TRUE(ok);
    EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(dir / "Vorlanes.conf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsStoreTest, ADamagedFileIsReadAsEmptyAndSetAsideBySaving) {
    const fs::path file = config.path() / "Vorlanes.conf";
    const struct {
        const char* name;
        std::string text; // the file's bytes; empty: a FIFO, which must not block
    } cases[] = {
        {"a line without =", "[HuGo]\nPath=D:\\\\Old\\\\\njunk line\n"},
        {"binary junk", std::string("\x7F"
                                    "ELF\0\x01\x02[\xFF=\n\0",
                                    12)},
        {"a FIFO", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(config.path());
        fs::create_directories(config.path());
        if (c.text.empty())
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            std::ofstream(file, std::ios::binary) << c.text;
        UseDirectory(config.native()); // forgets what an earlier case cached
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), "");
        const platform::SaveResult saved = store.Save("Vorlanes", "HuGo", "Path", "D:\\New\\");
        ASSERT_TRUE(saved.ok) << saved.reason;
        const fs::path aside = config.path() / "Vorlanes.conf.damaged";
        EXPECT_NE(saved.note.find(aside.string()), std::string::npos) << saved.note;
        EXPECT_NE(saved.note.find(c.text.empty() ? "not a regular file" : "could not be parsed"),
                  std::string::npos)
            << saved.note;
        if (c.text.empty()) {
            EXPECT_TRUE(fs::is_fifo(aside));
        } else {
            std::ifstream in(aside, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text);
        }
        UseDirectory(config.native());
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), "D:\\New\\");
        EXPECT_TRUE(store.Save("Vorlanes", "HuGo", "Path", "D:\\Again\\").note.empty());
    }
}

// Runs only as the child of the test above.
TEST(SettingsChild, PrintsTheStoredPath) {
    const QByteArray dir = qgetenv("VORLANES_TEST_SETTINGS_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "only run by TheValueSurvivesANewProcessByteForByte";
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(dir));
    std::printf("stored=[%s]\n",
                platform::SystemSettings().Read("Vorlanes", "HuGo", "Path").c_str());
}

TEST_F(SettingsStoreTest, AFailedSaveSaysWhyAndServesNothingUnsaved) {
    ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", "D:\\Old\\").ok);
    // A directory that can never be made: its parent is a file.
    config.Write("blocker");
    UseDirectory((config.path() / "blocker" / "config").string());
    const platform::SaveResult saved = store.Save("Vorlanes", "HuGo", "Path", "D:\\New\\");
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.reason.find("blocker"), std::string::npos) << saved.reason;
    EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), "") << "nothing unsaved is served";
}

} // namespace
