// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Counts, in short scripted runs, how often the settings file and the kept
// copies lose or leak something: run by hand as root (to be two users), in a
// scratch folder it is given. Prints one line per case: what was tried, how
// often it went wrong.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/files/paths.h"
#include "platform/posix/file_io_posix.h"
#include "platform/profile/kept_copy_posix.h"
#include "platform/profile/profile.h"
#include "platform/settings/settings.h"

namespace fs = std::filesystem;

namespace {

fs::path g_root;

std::string Text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A fresh config folder, private, as XDG_CONFIG_HOME.
fs::path Config() {
    const fs::path dir = g_root / "config";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms(0700));
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    return dir;
}

platform::SettingsStore& Store() {
    return platform::SystemSettings();
}

void Report(const char* id, const char* what, int bad, int tries) {
    std::printf("%-4s %-62s %3d of %d\n", id, what, bad, tries);
}

void LinksAndOwners() {
    int hit = 0;
    const std::string parsable = "[Other]\nk=1\n", broken = "junk line\n";
    // A device of its own: a save that replaces it must harm no one's /dev/null.
    const fs::path device = g_root / "null";
    for (const std::string& target : {std::string("device"), broken, parsable}) {
        const fs::path dir = Config();
        fs::create_directories(g_root / "shared");
        fs::permissions(g_root / "shared", fs::perms(0777));
        fs::path to = device;
        fs::remove(device);
        if (target == "device") {
            ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3));
        } else {
            to = g_root / "shared/profile";
            Put(to, target);
        }
        fs::create_symlink(to, dir / "Vorlanes.conf");
        Store().Save("Vorlanes", "HuGo", "Path", "D:\\New\\");
        const bool changed = to == device
                                 ? !fs::is_character_file(to)
                                 : Text(to) != target || fs::exists(to.string() + ".damaged");
        hit += changed;
    }
    Report("N1", "link targets changed (device, unparsable, parsable)", hit, 3);
    const fs::path dir = Config();
    Put(dir / "Vorlanes.conf", "[HuGo]\nPath=C:\\\\Theirs\\\\\n");
    const bool own = ::chown((dir / "Vorlanes.conf").c_str(), 65534, 65534) == 0;
    Report("N2", "another user's file read",
           own && !Store().Read("Vorlanes", "HuGo", "Path").empty(), own ? 1 : 0);
}

void Values() {
    fs::path dir = Config();
    Put(dir / "Vorlanes.conf", "[HuGo]\nPath=C:\\Emu\\\n[Other]\nk=1\n");
    Store().Save("Vorlanes", "HuGo", "Path", "D:\\");
    int bad = Text(dir / "Vorlanes.conf").find("[Other]") == std::string::npos;
    dir = Config();
    Put(dir / "Vorlanes.conf", "[HuGo]\nOther=a\\");
    const bool saved = Store().Save("Vorlanes", "HuGo", "Path", "D:\\").ok;
    bad += saved && Store().Read("Vorlanes", "HuGo", "Path") != "D:\\";
    Report("N8", "closing backslash: header lost, save not read back", bad, 2);
    dir = Config();
    Put(dir / "Vorlanes.conf", "[HuGo]\nPath=C:\\\\Emu\\\\hu\\0evil\n");
    Report("N10", "a stored NUL read as a cut value",
           !Store().Read("Vorlanes", "HuGo", "Path").empty(), 1);
    dir = Config();
    Put(dir / "Vorlanes.conf", "[HuGo]\nPath=D:\\\\Old\\\\\n" + std::string((1 << 20) - 40, ';'));
    const platform::SaveResult big =
        Store().Save("Vorlanes", "HuGo", "Path", std::string(100, 'D'));
    Report("N11", "a save past 1 MiB reported done, not read back",
           big.ok && Store().Read("Vorlanes", "HuGo", "Path") != std::string(100, 'D'), 1);
    dir = Config();
    Put(dir / "Vorlanes.conf", "\xEF\xBB\xBF[HuGo]\nPath=D:\\\\Old\\\\\n");
    Report("N14", "a file with a byte-order mark read as damaged",
           Store().Read("Vorlanes", "HuGo", "Path") != "D:\\Old\\", 1);
}

void KilledSaves() {
    const fs::path dir = Config();
    Store().Save("Vorlanes", "HuGo", "Path", "D:\\");
    std::mt19937 random(34);
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int n = 0;; ++n)
                Store().Save("Vorlanes", "HuGo", "Path", "D:\\" + std::to_string(n) + "\\");
        }
        ::usleep(2000 + random() % 8000);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    Store().Save("Vorlanes", "HuGo", "Path", "D:\\");
    int left = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        left += entry.path().filename() != "Vorlanes.conf";
    Report("N12", "temporaries left after 40 killed saves and one more", left, 40);
}

void Editor() {
    const fs::path dir = Config();
    Store().Save("Vorlanes", "HuGo", "Path", "D:\\");
    const pid_t saver = ::fork();
    if (saver == 0) {
        for (int n = 0; n < 300; ++n)
            Store().Save("Vorlanes", "HuGo", "Path", "D:\\" + std::to_string(n) + "\\");
        ::_exit(0);
    }
    for (int n = 0; n < 18; ++n) {
        std::ofstream(dir / "Vorlanes.conf", std::ios::app) << "; line " << n << "\n";
        ::usleep(10000);
    }
    ::waitpid(saver, nullptr, 0);
    const std::string text = Text(dir / "Vorlanes.conf");
    int lost = 0;
    for (int n = 0; n < 18; ++n)
        lost += text.find("; line " + std::to_string(n) + "\n") == std::string::npos;
    Report("N13", "an editor's lines lost during a burst of saves", lost, 18);
}

// A cut rewrite in place left its copy; then something else happens to the file.
void KeptCopies() {
    const fs::path state = g_root / "state";
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    platform::KeptCopies copies([&] { return (state / "vorlanes").string(); });
    const std::string old =
        "[Main]\r\nvmode=1\r\nrom_dir=C:\\Roms\\\r\n[Pad]\r\n" + std::string(3000, 'p');
    const std::string next =
        "[Main]\r\nvmode=2\r\nrom_dir=D:\\\r\n[Pad]\r\n" + std::string(3000, 'p');
    const fs::path file = g_root / "emu/Hu-go!.ini";
    const std::string system = platform::PathMap::System().ToSystem(file.string());
    int lost = 0, tries = 0;
    // Someone saves what the cut could have left: the old text, or the text after its step.
    for (int i = 0; i < 40; ++i, ++tries) {
        Put(file, old);
        struct stat st {};
        ::stat(file.c_str(), &st);
        copies.Keep(st, old, next);
        const bool stepped = i % 2;
        if (stepped)
            copies.Step(st, 0, 12);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        const std::string theirs = stepped ? old.substr(0, 20) + "x" + old.substr(21) : old;
        Put(file, theirs);
        platform::SettleCutWrites(system);
        lost += Text(file) != theirs;
    }
    Report("N4", "later saves of others overwritten by a kept copy", lost, tries);
    // The file goes; the next new file takes its inode; a backup comes back by rename.
    lost = tries = 0;
    for (int i = 0; i < 20; ++i) {
        Put(file, old);
        struct stat st {};
        ::stat(file.c_str(), &st);
        copies.Keep(st, old, next);
        fs::remove(file);
        const fs::path backup = g_root / "emu/backup";
        Put(backup, old);
        struct stat now {};
        ::stat(backup.c_str(), &now);
        if (now.st_ino != st.st_ino) {
            fs::remove(backup);
            copies.Forget(st);
            continue;
        }
        ++tries;
        fs::rename(backup, file);
        platform::SettleCutWrites(system);
        lost += Text(file) != old;
        copies.Forget(st);
    }
    Report("N5", "a backup in a reused inode overwritten by an old copy", lost, tries);
    // A reader holds the file past the wait while a cut copy waits to be finished.
    Put(file, old);
    struct stat st {};
    ::stat(file.c_str(), &st);
    copies.Keep(st, old, next);
    const platform::file_io::UniqueFd reader(::open(file.c_str(), O_RDONLY));
    ::flock(reader.Get(), LOCK_SH);
    int go = 0;
    for (int i = 0; i < 5; ++i)
        go += platform::SettleCutWrites(system); // true: Go would start the emulator
    Report("N3", "Go would start the emulator on a file held past the wait", go, 5);
    copies.Forget(st);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || ::geteuid() != 0) {
        std::fprintf(stderr, "usage, as root: nothing_lost SCRATCH_FOLDER\n");
        return 2;
    }
    g_root = fs::absolute(argv[1]);
    fs::create_directories(g_root);
    LinksAndOwners();
    Values();
    KilledSaves();
    Editor();
    KeptCopies();
    return 0;
}
