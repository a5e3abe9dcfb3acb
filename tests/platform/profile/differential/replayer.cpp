// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/differential/replayer.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace differential {

Replayer::Replayer(const std::string& wineRun, const std::string& exe, const std::string& prefix) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0)
        return;
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return;
    }
    // Everything the child needs is made before fork: the test runs threads.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("VORLANES_WINEPREFIX=", 0) != 0)
            env.emplace_back(*e);
    }
    env.push_back("VORLANES_WINEPREFIX=" + prefix);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string bash = "/bin/bash";
    std::vector<char*> argv{bash.data(), const_cast<char*>(wineRun.c_str()),
                            const_cast<char*>(exe.c_str()), nullptr};

    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (pid_ < 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        return;
    }
    to_ = ::fdopen(toChild[1], "w");
    from_ = ::fdopen(fromChild[0], "r");
}

Replayer::~Replayer() {
    if (to_)
        std::fclose(to_);
    if (from_)
        std::fclose(from_);
    if (pid_ > 0) {
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

bool Replayer::Ask(const std::string& line, std::string& answer) {
    if (!to_ || !from_)
        return false;
    std::signal(SIGPIPE, SIG_IGN);
    if (std::fputs((line + "\n").c_str(), to_) < 0 || std::fflush(to_) != 0)
        return false;
    answer.clear();
    for (int c; (c = std::fgetc(from_)) != EOF;) {
        if (c == '\n') {
            if (!answer.empty() && answer.back() == '\r')
                answer.pop_back();
            return true;
        }
        answer.push_back(static_cast<char>(c));
    }
    return false;
}

} // namespace differential
