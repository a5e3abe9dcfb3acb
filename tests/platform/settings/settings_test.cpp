// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings.h"
#include "platform/settings/settings_posix.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Points the user's native settings at a directory of the test's own.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { UseDirectory(config.native()); }
    void TearDown() override { UseDirectory(config.native()); }

    static void UseDirectory(const std::string& dir) {
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
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

// Another user beside the first creations, in a directory open to all as
// ~/.config often is: no file the store makes there is ever readable by them.
TEST_F(SettingsStoreTest, AnotherUserNeverReadsTheFirstCreation) {
    fs::permissions(config.path(), fs::perms(0755));
    int stop[2];
    ASSERT_EQ(::pipe(stop), 0);
    const pid_t watcher = ::fork();
    if (watcher == 0) {
        ::close(stop[1]);
        ::fcntl(stop[0], F_SETFL, O_NONBLOCK);
        // Run by an ordinary user, the watcher is that user and can only look at modes.
        const bool other = ::geteuid() == 0;
        if (other && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(4);
        int status = 0; // 1: a mode above 0600 seen, 2: another user opened a file
        char byte = 0;
        while (::read(stop[0], &byte, 1) < 0) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(config.path(), error)) {
                struct stat st {};
                if (::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                    (st.st_mode & 077) != 0)
                    status |= 1;
                const int fd = other ? ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK) : -1;
                if (fd >= 0) {
                    status |= 2;
                    ::close(fd);
                }
            }
        }
        ::_exit(status);
    }
    ::close(stop[0]);
    for (int round = 0; round < 20; ++round) {
        fs::remove(config.path() / "Vorlanes.conf");
        UseDirectory(config.native());
        ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", "D:\\Secret\\Hu-Go\\").ok);
    }
    ASSERT_EQ(::write(stop[1], "!", 1), 1);
    ::close(stop[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(watcher, &status, 0), watcher);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 4)
        GTEST_SKIP() << "runs as root and cannot become another user";
    EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << "a file was open to others for a moment";
    EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << "another user opened a file of the store";
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
        {"larger than any settings file",
         "[HuGo]\nPath=D:\\\\Old\\\\\n" + std::string(1 << 20, ';')},
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
        EXPECT_NE(saved.note.find(c.text.empty()         ? "not a regular file"
                                  : c.text.size() > 1000 ? "larger than"
                                                         : "could not be parsed"),
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

// Earlier versions wrote the file through QSettings: what either writes, the
// other reads byte for byte.
TEST_F(SettingsStoreTest, ReadsAndWritesTheFormQSettingsKeeps) {
    const QString file = QString::fromStdString((config.path() / "Vorlanes.conf").string());
    for (const std::string value :
         {"C:\\Progra~1\\Hu-Go\\", "D:\\a,b;c=d\\", " @lead \"q\"\t", "C:\\\xC3\xA9t\xC3\xA9\\",
          "C:\\\xE9"
          "abc\\",
          "\xFF\x80\x01"}) {
        SCOPED_TRACE(value);
        const QByteArray bytes = QByteArray::fromStdString(value);
        const QString text = QString::fromUtf8(bytes);
        const QVariant stored = text.toUtf8() == bytes ? QVariant(text) : QVariant(bytes);
        fs::remove(file.toStdString());
        ASSERT_TRUE(store.Save("Vorlanes", "HuGo", "Path", value).ok);
        QSettings ours(file, QSettings::IniFormat);
        EXPECT_EQ(ours.value(QStringLiteral("HuGo/Path")), stored);
        fs::remove(file.toStdString());
        {
            QSettings theirs(file, QSettings::IniFormat);
            theirs.setValue(QStringLiteral("HuGo/Path"), stored);
        }
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), value);
    }
}

TEST_F(SettingsStoreTest, SavingKeepsEveryOtherLine) {
    const std::string before = "# mine\n\n[Other]\nx = 1 ; kept\n[HuGo]\n; the emulator\n"
                               "Path=D:\\\\Old\\\\\nKeep=1\n";
    config.Write("Vorlanes.conf", before);
    const platform::SaveResult saved = store.Save("Vorlanes", "HuGo", "Path", "D:\\New\\");
    ASSERT_TRUE(saved.ok) << saved.reason;
    EXPECT_TRUE(saved.note.empty()) << saved.note;
    std::string after = before;
    after.replace(after.find("Old"), 3, "New");
    EXPECT_EQ(FileText(), after);
}

// The settings file goes through a link to a file of the user's own (as
// dotfile managers make them), never to another user's.
TEST_F(SettingsStoreTest, WritesThroughALinkOnlyToAFileOfItsOwn) {
    const std::string target =
        config.Write("real/Vorlanes.conf", "[HuGo]\nPath=D:\\\\Old\\\\\n").string();
    fs::create_symlink(target, config.path() / "Vorlanes.conf");
    for (const bool foreign : {false, true}) {
        SCOPED_TRACE(foreign ? "another user's" : "our own");
        if (foreign && (::geteuid() != 0 || ::chown(target.c_str(), 65534, 65534) != 0))
            GTEST_SKIP() << "needs root, to give the file to another user";
        const std::string value = foreign ? "D:\\Theirs\\" : "D:\\New\\";
        const platform::SaveResult saved = store.Save("Vorlanes", "HuGo", "Path", value);
        EXPECT_EQ(saved.ok, !foreign);
        // Another user's file is not even read: it could name any program.
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), foreign ? "" : "D:\\New\\");
        EXPECT_TRUE(fs::is_symlink(config.path() / "Vorlanes.conf"));
        struct stat st {};
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, foreign ? 65534u : ::geteuid());
        if (foreign) {
            EXPECT_NE(saved.reason.find("another user"), std::string::npos) << saved.reason;
        }
    }
}

// Base directories as the XDG convention has them: an absolute variable, or
// the home, which the password database gives when HOME is no absolute path.
TEST_F(SettingsStoreTest, TheFileIsWhereTheBaseDirectoryRulesSay) {
    const std::string home = ::getpwuid(::geteuid())->pw_dir;
    const struct {
        const char *config, *home, *file;
    } cases[] = {{"/x/conf", "/h", "/x/conf/Vorlanes.conf"},
                 {"conf", "/h", "/h/.config/Vorlanes.conf"},
                 {nullptr, "/h", "/h/.config/Vorlanes.conf"},
                 {nullptr, nullptr, ""},
                 {"", "h", ""}};
    const char* oldHome = std::getenv("HOME");
    const std::string kept = oldHome ? oldHome : "";
    for (const auto& c : cases) {
        for (const auto& [name, value] :
             {std::pair{"XDG_CONFIG_HOME", c.config}, {"HOME", c.home}}) {
            if (value)
                ::setenv(name, value, 1);
            else
                ::unsetenv(name);
        }
        EXPECT_EQ(platform::SettingsFilePath("Vorlanes"),
                  *c.file ? std::string(c.file)
                          : (home == "/" ? std::string() : home) + "/.config/Vorlanes.conf")
            << (c.config ? c.config : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
    if (oldHome)
        ::setenv("HOME", kept.c_str(), 1);
}

// Runs only as the child of TheValueSurvivesANewProcessByteForByte.
TEST(SettingsChild, PrintsTheStoredPath) {
    const QByteArray dir = qgetenv("VORLANES_TEST_SETTINGS_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "only run by TheValueSurvivesANewProcessByteForByte";
    }
    ::setenv("XDG_CONFIG_HOME", dir.constData(), 1);
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

namespace {

// The settings file is the user's alone and keeps any value whole: what each
// kind of file in its place reads as, whether a save goes through and why
// not, and what is left on disk.
TEST_F(SettingsStoreTest, TheFileIsTheUsersAloneAndKeepsAnyValue) {
    const fs::path file = config.path() / "Vorlanes.conf";
    const std::string old = "[HuGo]\nPath=D:\\\\Old\\\\\n";
    const bool root = ::geteuid() == 0;
    const fs::path device =
        config.path().parent_path() / (config.path().filename().string() + "-null");
    const auto give = [](const fs::path& path) { return ::chown(path.c_str(), 65534, 65534) == 0; };
    const struct {
        const char* name;
        std::function<bool()> setUp; // false: cannot be set up here
        std::string value;           // to save
        std::string read, reason;    // read before the save; why it fails, or "" when it works
        std::string after;           // read after the save
        std::function<bool()> left;  // what must be on disk afterwards
    } cases[] = {
        // A device of its own, so that a fault here harms no one's /dev/null.
        {"a link to a device",
         [&] {
             return ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                    (fs::create_symlink(device, file), true);
         },
         "D:\\New\\", "", "not a regular file", "",
         [&] { return fs::is_character_file(device) && fs::is_symlink(file); }},
        {"a link into a folder others write",
         [&] {
             config.Write("shared/Vorlanes.conf", old);
             fs::permissions(config.path() / "shared", fs::perms(0777));
             fs::create_symlink(config.path() / "shared/Vorlanes.conf", file);
             return true;
         },
         "D:\\New\\", "D:\\Old\\", "others may write", "D:\\Old\\", nullptr},
        {"a link to a damaged file of our own",
         [&] {
             config.Write("real/Vorlanes.conf", "junk line\n");
             fs::create_symlink(config.path() / "real/Vorlanes.conf", file);
             return true;
         },
         "D:\\New\\", "", "could not be parsed", "",
         [&] { return !fs::exists(config.path() / "real/Vorlanes.conf.damaged"); }},
        {"another user's file", [&] { return root && give(config.Write("Vorlanes.conf", old)); },
         "D:\\New\\", "", "another user", "", nullptr},
        {"a folder of another user",
         [&] { return root && give(config.Write("Vorlanes.conf", old).parent_path()); },
         "D:\\New\\", "D:\\Old\\", "belongs to another user", "D:\\Old\\", nullptr},
        {"a value typed with one closing backslash",
         [&] {
             config.Write("Vorlanes.conf", "[HuGo]\nPath=C:\\Emu\\\n[Other]\nk=1\n");
             return true;
         },
         "D:\\New\\", "C:\\Emu\\", "", "D:\\New\\",
         [&] { return FileText().ends_with("[Other]\nk=1\n"); }},
        {"a save after a line ending in a backslash",
         [&] {
             config.Write("Vorlanes.conf", "[HuGo]\nOther=a\\");
             return true;
         },
         "D:\\New\\", "", "", "D:\\New\\", nullptr},
        {"a NUL stored",
         [&] { return !config.Write("Vorlanes.conf", "[HuGo]\nPath=C:\\0D\n").empty(); },
         std::string("D:\\\0x", 4), "", "NUL", "", nullptr},
        {"a byte-order mark",
         [&] { return !config.Write("Vorlanes.conf", "\xEF\xBB\xBF" + old).empty(); }, "D:\\New\\",
         "D:\\Old\\", "", "D:\\New\\",
         [&] { return FileText().starts_with("\xEF\xBB\xBF[HuGo]"); }},
        {"a save past the size limit",
         [&] {
             return !config.Write("Vorlanes.conf", old + std::string((1 << 20) - 40, ';')).empty();
         },
         std::string(100, 'D'), "D:\\Old\\", "1 MiB", "D:\\Old\\", nullptr},
        {"temporaries of killed saves",
         [&] {
             config.Write(".Vorlanes.conf.tmp~", "killed");
             return true;
         },
         "D:\\New\\", "", "", "D:\\New\\",
         [&] { return std::distance(fs::directory_iterator(config.path()), {}) == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(config.path());
        fs::create_directories(config.path());
        fs::permissions(config.path(), fs::perms(0700));
        if (!c.setUp())
            continue; // needs root, to be another user
        UseDirectory(config.native());
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), c.read);
        const platform::SaveResult saved = store.Save("Vorlanes", "HuGo", "Path", c.value);
        EXPECT_EQ(saved.ok, c.reason.empty()) << saved.reason;
        EXPECT_NE(saved.reason.find(c.reason), std::string::npos) << saved.reason;
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", "Path"), c.after);
        if (c.left) {
            EXPECT_TRUE(c.left());
        }
        fs::permissions(config.path(), fs::perms(0700));
        fs::remove(device);
    }
}

// Two programs saving at once beside an editor that adds lines in place:
// every saver's last value and every line added stay. A line that reached
// the file only once another had taken its name went nowhere a save could
// see, however the save is made.
TEST_F(SettingsStoreTest, TwoSaversAndAnEditorLoseNothing) {
    const fs::path file = config.Write("Vorlanes.conf", "[HuGo]\n");
    constexpr int kSaves = 40, kLines = 20;
    std::vector<pid_t> savers;
    for (int p = 0; p < 2; ++p) {
        savers.push_back(::fork());
        if (savers.back() == 0) {
            int failed = 0;
            for (int n = 1; n <= kSaves; ++n) {
                const platform::SaveResult saved =
                    store.Save("Vorlanes", "HuGo", "k" + std::to_string(p), std::to_string(n));
                ::usleep(1000);
                failed += !saved.ok;
            }
            ::_exit(failed);
        }
    }
    std::vector<int> added;
    for (int n = 0; n < kLines; ++n) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
        if (fd >= 0) {
            const std::string line = "; added by hand " + std::to_string(n) + "\n";
            EXPECT_EQ(::write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
            struct stat st {};
            if (::fstat(fd, &st) == 0 && st.st_nlink > 0)
                added.push_back(n);
            ::close(fd);
        }
        ::usleep(10000);
    }
    for (const pid_t pid : savers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    const std::string text = FileText();
    for (const int n : added)
        EXPECT_NE(text.find("; added by hand " + std::to_string(n) + "\n"), std::string::npos)
            << n << "\n"
            << text;
    EXPECT_GE(added.size(), kLines / 2u) << "the editor's lines were not written";
    for (const char* key : {"k0", "k1"})
        EXPECT_EQ(store.Read("Vorlanes", "HuGo", key), std::to_string(kSaves));
}

} // namespace
