// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Start-up to first paint: the program against a bare Qt program showing the
// same window empty, started in turns in the same run, each ended by the
// first-paint probe as soon as its window is painted. Goal: within 1.05 times
// the bare program (medians of the wall time). Run it as a desktop session
// would, with a display and a session bus; without a bus every Qt program
// spends its start trying to launch one:
//   xvfb-run -a dbus-run-session -- build-bench/bench/startup_bench
// Without a display both run on the offscreen platform.
//
// The same two starts under valgrind give their instructions, which do not
// depend on what else the machine does:
//   LD_PRELOAD=<probe> valgrind --tool=callgrind <program>
#include "bench/turns.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kNeverPainted = 60000; // milliseconds

// Seconds from starting `program` to its end at first paint, in `dir`.
double StartUp(const std::string& program, const std::string& dir) {
    std::vector<std::string> env = {std::string("LD_PRELOAD=") + VORLANES_FIRST_PAINT_PROBE};
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("ASAN_OPTIONS=", 0) != 0) {
            env.emplace_back(*e);
        }
    }
    // In a sanitizer build the probe comes before the sanitizer's runtime.
    env.emplace_back("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0");
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY") && !getenv("QT_QPA_PLATFORM")) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        return -1;
    }
    // One that never paints is ended, so that it does not hold up the run.
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    pollfd watch{ended, POLLIN, 0};
    if (ended >= 0 && poll(&watch, 1, kNeverPainted) == 0) {
        kill(pid, SIGKILL);
    }
    const auto end = std::chrono::steady_clock::now();
    if (ended >= 0) {
        close(ended);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double>(end - start).count();
}

// Each iteration starts both, the bare one first in even turns and last in odd
// ones, so that neither always comes after the other. A start that fails (the
// display or the bus can refuse one now and then) is counted, its turn left
// out, and the run goes on.
void StartUpToFirstPaint(benchmark::State& state) {
    const TempDir empty; // both start in the same empty directory
    std::vector<double> bare;
    std::vector<double> ours;
    int failed = 0;
    int turn = 0;
    for (auto _ : state) {
        const bool bareFirst = turn++ % 2 == 0;
        double bareTime = bareFirst ? StartUp(VORLANES_BARE_WINDOW, empty.native()) : 0;
        const double ourTime = StartUp(VORLANES_PROGRAM, empty.native());
        if (!bareFirst) {
            bareTime = StartUp(VORLANES_BARE_WINDOW, empty.native());
        }
        failed += (bareTime < 0) + (ourTime < 0);
        if (bareTime >= 0 && ourTime >= 0) {
            bare.push_back(bareTime);
            ours.push_back(ourTime);
        }
    }
    state.counters["failed_starts"] = failed;
    if (failed > 0) {
        std::fprintf(stderr,
                     "%d of %d starts failed: a program did not start, or did not end at "
                     "its first paint\n",
                     failed, 2 * turn);
    }
    if (ours.empty()) {
        state.SkipWithError("no turn in which both programs started");
        return;
    }
    state.counters["bare_ms"] = turns::Median(bare) * 1e3;
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["ratio"] = turns::Median(ours) / turns::Median(bare);
    // Each start against the other one of its turn: the machine's drift over
    // the run falls on both sides of every quotient.
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
}

BENCHMARK(StartUpToFirstPaint)->Iterations(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
