// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"
#include "platform/process/cmdline_split.h"
#include "platform/process/program_start.h"
#include "platform/process/wine_bridge.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

bool EndsWithExe(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return tail == ".exe";
}

std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

class PosixStarter final : public ProgramStarter {
public:
    StartResult Start(const std::string& commandLine) override {
        const std::vector<CommandLinePiece> pieces = SplitCommandLinePieces(commandLine);
        if (pieces.empty() || pieces[0].text.empty()) {
            return {false, std::strerror(ENOENT)};
        }
        const std::string& program = pieces[0].text;
        std::string native;
        if (program.find('\\') != std::string::npos || DriveLetterOf(program) != 0) {
            native = PathMap::System().ToNative(program);
        } else {
            native = SearchPath(program, IsFile);
        }
        if (native.empty() || !IsFile(native)) {
            return {false, std::strerror(ENOENT)};
        }
        std::vector<std::string> direct{native};
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            direct.push_back(pieces[i].text);
        }
        std::vector<std::string> throughWine;
        if (EndsWithExe(native)) {
            const std::string wine = SearchPath("wine", IsExecutableFile);
            if (!wine.empty()) {
                throughWine = {wine, native};
                for (std::string& arg :
                     WineArguments(commandLine, pieces[0].end, PathMap::System())) {
                    throughWine.push_back(std::move(arg));
                }
            }
        }
        return Spawn(direct, throughWine);
    }

private:
    // Starts the program in a grandchild that is nobody's child once ours has
    // exited, so it is never waited for and never left a zombie. A pipe closed on
    // exec tells whether the exec worked.
    static StartResult Spawn(std::vector<std::string> direct, std::vector<std::string> wine) {
        std::vector<char*> directArgv = Argv(direct);
        std::vector<char*> wineArgv = Argv(wine);
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            return {false, std::strerror(errno)};
        }
        const pid_t child = fork();
        if (child < 0) {
            const int err = errno;
            close(fds[0]);
            close(fds[1]);
            return {false, std::strerror(err)};
        }
        if (child == 0) {
            close(fds[0]);
            if (fork() != 0) {
                _exit(0);
            }
            setsid();
            execv(directArgv[0], directArgv.data());
            int err = errno;
            if ((err == ENOEXEC || err == EACCES) && !wine.empty()) {
                execv(wineArgv[0], wineArgv.data());
                err = errno;
            }
            [[maybe_unused]] ssize_t written = write(fds[1], &err, sizeof err);
            _exit(127);
        }
        close(fds[1]);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int err = 0;
        ssize_t got;
        while ((got = read(fds[0], &err, sizeof err)) < 0 && errno == EINTR) {
        }
        close(fds[0]);
        if (got == static_cast<ssize_t>(sizeof err)) {
            return {false, std::strerror(err)};
        }
        return {};
    }
};

} // namespace

ProgramStarter& SystemStarter() {
    static PosixStarter starter;
    return starter;
}

} // namespace platform
