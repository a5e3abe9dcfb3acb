// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cerrno>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// A child's status once it has ended, through interruptions.
inline int Wait(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// How many children of ours have ended and not been waited for.
inline int Zombies() {
    int zombies = 0;
    DIR* proc = ::opendir("/proc");
    while (dirent* e = proc ? ::readdir(proc) : nullptr) {
        std::ifstream in(std::string("/proc/") + e->d_name + "/stat");
        std::stringstream stat;
        stat << in.rdbuf();
        // "pid (name) state ppid ...", where the name may hold anything.
        const std::string text = stat.str();
        const std::size_t name = text.rfind(')');
        char state = 0;
        long parent = 0;
        if (name != std::string::npos &&
            (std::istringstream(text.substr(name + 1)) >> state >> parent) && state == 'Z' &&
            parent == ::getpid()) {
            ++zombies;
        }
    }
    if (proc) {
        ::closedir(proc);
    }
    return zombies;
}

// Ordinary users that tests run as when they run as root: the first is
// nobody, the second a user without a name who shares its group.
inline constexpr uid_t kFirstUser = 65534;
inline constexpr uid_t kSecondUser = 65533;
inline constexpr gid_t kUsersGroup = 65534;
// The exit status of a child that could not become the user it was meant to be.
inline constexpr int kNoSuchUser = 254;

// Runs fn in a child as the user (as root), or as ourselves when we are an
// ordinary user and the user is the first; gives fn's result, kNoSuchUser, or
// 128 and the signal that ended the child.
template <typename Fn> int AsUser(uid_t user, Fn fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool root = ::geteuid() == 0;
        if (root ? ::setgid(kUsersGroup) != 0 || ::setuid(user) != 0 : user != kFirstUser)
            ::_exit(kNoSuchUser);
        ::_exit(fn());
    }
    const int status = Wait(pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
