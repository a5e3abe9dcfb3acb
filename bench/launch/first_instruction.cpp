// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// An emulator stand-in that, as its very first work, writes the monotonic time
// to descriptor 100 and ends: no loader and no C library start-up run before,
// so the time is that of its first instructions.
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#define ENTRY_ALIGNS_STACK __attribute__((force_align_arg_pointer))
#else
#define ENTRY_ALIGNS_STACK
#endif

extern "C" ENTRY_ALIGNS_STACK [[noreturn]] void _start() {
    timespec now{};
    syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &now);
    syscall(SYS_write, 100, &now, sizeof now);
    syscall(SYS_exit_group, 0);
    __builtin_unreachable();
}
