// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/ascii_case.h"
#include "platform/files/paths.h"
#include "platform/files/paths_posix.h"
#include "platform/process/cmdline_split.h"
#include "platform/process/program_start.h"
#include "platform/process/wine_bridge.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <mutex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string SearchPath(const std::string& name, bool (*usable)(const std::string&)) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        const std::string dir = end > start ? dirs.substr(start, end - start) : std::string(".");
        const std::string candidate = dir + "/" + name;
        if (usable(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

// The directory this program was started from.
std::string OwnDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

bool HasExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && name.find('\\', dot) == std::string::npos;
}

// The file a program name leads to, as Windows looks for it: a name with a
// directory where it says, with ".exe" when it has no extension; a bare name in
// our own directory, then the current one, then PATH.
std::string FindProgramFile(const std::string& name) {
    if (name.empty()) {
        return {};
    }
    const std::string withExtension = HasExtension(name) ? name : name + ".exe";
    if (name.find('\\') != std::string::npos || DriveLetterOf(name) != 0) {
        const std::string native = PathMap::System().ToNative(withExtension);
        return !native.empty() && IsFile(native) ? native : std::string();
    }
    for (const std::string& dir : {OwnDirectory(), std::string(".")}) {
        if (!dir.empty() && IsFile(dir + "/" + withExtension)) {
            return dir + "/" + withExtension;
        }
    }
    return SearchPath(withExtension, IsFile);
}

// Where only the 64-bit half is installed, it is "wine64".
std::string FindWine() {
    for (const char* name : {"wine", "wine64"}) {
        if (std::string found = SearchPath(name, IsExecutableFile); !found.empty()) {
            return found;
        }
    }
    return {};
}

struct Program {
    std::string native;
    std::size_t end = 0; // where the arguments begin in the command line
};

// An unquoted program name with blanks is tried at each blank, shortest first,
// until a file exists: "D:\Hu Go\hu-go!.exe" is "D:\Hu.exe", then itself.
Program FindProgram(const std::string& line, const CommandLinePiece& first) {
    if (line.empty() || line[0] == '"') {
        return {FindProgramFile(first.text), first.end};
    }
    for (std::size_t end = first.end; end <= line.size(); ++end) {
        if (end < line.size() && line[end] != ' ' && line[end] != '\t') {
            continue;
        }
        if (std::string native = FindProgramFile(line.substr(0, end)); !native.empty()) {
            return {native, end};
        }
    }
    return {};
}

bool EndsWithExe(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    return SameIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".exe");
}

// "MZ": a Windows program, which runs under Wine however it is started.
bool IsWindowsProgram(const std::string& path) {
    char magic[2] = {};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const bool windows = fd >= 0 && read(fd, magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
    if (fd >= 0) {
        close(fd);
    }
    return windows;
}

std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

void Reap(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Launches whose reaper could not be started, reaped at the next launch.
std::mutex unreapedLock;
std::vector<pid_t> unreaped;

// Nobody waits for the emulator, but it is our child: a thread of its own takes
// its exit status as it ends, so it never lingers as a zombie. Unlike a SIGCHLD
// handler this claims no process-wide disposition and reaps no one else's child,
// and unlike the double fork it needs no copy of this process.
void ReapWhenEnded(pid_t pid) {
    std::lock_guard lock(unreapedLock);
    std::erase_if(unreaped, [](pid_t old) { return waitpid(old, nullptr, WNOHANG) != 0; });
    try {
        std::thread(Reap, pid).detach();
    } catch (const std::system_error&) {
        unreaped.push_back(pid);
    }
}

const char kNoWine[] =
    "It is a Windows program, and Wine, which runs Windows programs here, was not found: "
    "neither wine nor wine64 is on PATH. Install Wine (on Debian or Ubuntu: sudo apt install "
    "wine); where only wine64 is installed, add /usr/lib/wine to PATH.";

// The line with each known directory written in full: Wine reads no "~1" of
// ours, and the long name is the one the user chose.
std::string LineInFull(const std::string& commandLine, std::size_t programEnd,
                       std::vector<KnownDirectory> known) {
    std::string line = commandLine;
    std::sort(known.begin(), known.end(), [](const KnownDirectory& a, const KnownDirectory& b) {
        return a.begin > b.begin; // from the back, so that earlier places stay put
    });
    for (const KnownDirectory& k : known) {
        if (k.begin >= programEnd && k.begin <= k.end && k.end <= line.size()) {
            line.replace(k.begin, k.end - k.begin, k.directory);
        }
    }
    return line;
}

class PosixStarter final : public ProgramStarter {
public:
    using ProgramStarter::Start;
    StartResult Start(const std::string& commandLine,
                      const std::vector<KnownDirectory>& known) override {
        const CommandLinePiece name = ProgramPiece(commandLine);
        if (name.text.empty()) {
            return {false, std::strerror(ENOENT), true};
        }
        const Program program = FindProgram(commandLine, name);
        if (program.native.empty()) {
            return {false, std::strerror(ENOENT), true};
        }
        const std::string& native = program.native;
        // Wine and the long names it needs are looked for only for a Windows program.
        const bool windows = EndsWithExe(native) && IsWindowsProgram(native);
        if (windows) {
            if (std::string wine = FindWine(); !wine.empty()) {
                const std::string written =
                    commandLine[0] == '"' ? name.text : commandLine.substr(0, program.end);
                if (std::string why = WhyShortFormIsAmbiguous(PathMap::System(), written);
                    !why.empty()) {
                    return {false, why};
                }
                const std::string line = LineInFull(commandLine, program.end, known);
                std::vector<std::string> throughWine{std::move(wine), native};
                std::vector<std::string> cannotOpen;
                for (std::string& arg : WineArguments(line, SplitArgumentPieces(line, program.end),
                                                      PathMap::System(), &cannotOpen)) {
                    throughWine.push_back(std::move(arg));
                }
                // It would start and fail on its own, without a word.
                if (!cannotOpen.empty()) {
                    return {false, cannotOpen.front()};
                }
                return Spawn(std::move(throughWine));
            }
        }
        // A program of this system is handed the line as it was written.
        std::vector<std::string> direct{native};
        for (const CommandLinePiece& arg : SplitArgumentPieces(commandLine, program.end)) {
            direct.push_back(arg.text);
        }
        StartResult started = Spawn(std::move(direct));
        if (!started.ok && windows) {
            started.reason = kNoWine;
        }
        return started;
    }

private:
    // One spawn that shares our memory until the exec, however large this
    // process is; in a session of its own, as a program started from a desktop.
    static StartResult Spawn(std::vector<std::string> args) {
        std::vector<char*> argv = Argv(args);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
        pid_t pid = 0;
        const int err = posix_spawn(&pid, argv[0], nullptr, &attr, argv.data(), environ);
        posix_spawnattr_destroy(&attr);
        if (err != 0) {
            return {false, std::strerror(err)};
        }
        ReapWhenEnded(pid);
        return {};
    }
};

} // namespace

ProgramStarter& SystemStarter() {
    static PosixStarter starter;
    return starter;
}

} // namespace platform
