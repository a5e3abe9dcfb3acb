// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/posix/lock_posix.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

namespace {

constexpr auto kNoNewWaitFor = std::chrono::seconds(5);

// Any user who can read a file can hold a shared lock on it for good, so no
// wait is open-ended: a timer of the thread's own interrupts it. A blocking
// wait keeps the kernel's turns, which polling would lose to a busy writer.
// False when the lock is still held by another at the limit; a file system
// without locks is used without.
// A file or directory still locked at the limit is not waited for again for
// a while: Setup reads eight keys and writes as many, and would otherwise
// wait for each.
struct Busy {
    dev_t device = 0;
    ino_t inode = 0;
    std::chrono::steady_clock::time_point until{};
};
thread_local Busy t_busy;

} // namespace

bool LockWithin(int fd, int how, std::chrono::milliseconds wait) {
    if (::flock(fd, how | LOCK_NB) == 0 || errno != EWOULDBLOCK)
        return true;
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (known && st.st_dev == t_busy.device && st.st_ino == t_busy.inode &&
        std::chrono::steady_clock::now() < t_busy.until)
        return false;
    static const int signal = [] {
        struct sigaction action {};
        action.sa_handler = [](int) {}; // no SA_RESTART: the wait ends with EINTR
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGRTMIN + 7, &action, nullptr);
        return SIGRTMIN + 7;
    }();
    struct sigevent event {};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signal;
    event._sigev_un._tid = ::gettid();
    timer_t timer{};
    const bool timed = ::timer_create(CLOCK_MONOTONIC, &event, &timer) == 0;
    if (timed) {
        // Again and again, in case the first one falls before the wait begins.
        const auto ns = std::chrono::nanoseconds(wait).count();
        struct itimerspec when {};
        when.it_value = {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        when.it_interval = {0, 20000000};
        ::timer_settime(timer, 0, &when, nullptr);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    bool locked = true;
    while (::flock(fd, how) != 0) {
        if (errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            locked = false;
            break;
        }
    }
    if (timed)
        ::timer_delete(timer);
    if (!locked && known)
        t_busy = {st.st_dev, st.st_ino, std::chrono::steady_clock::now() + kNoNewWaitFor};
    return locked;
}

} // namespace platform::posix
