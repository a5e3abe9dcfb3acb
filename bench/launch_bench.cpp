// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// From Go to the emulator's first instruction: the launch as Go runs it (its
// command line, then the start) against a bare posix_spawn of the same program
// with the same arguments, in turns in the same run, from a process that holds
// as much memory as the window does. Goal: within 1.5 times the bare spawn
// (medians). "busy_ms" is how long the launch holds the window.
#include "app/launch.h"
#include "app/shortpath.h"
#include "platform/files/paths.h"
#include "platform/process/program_start.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kReportFd = 100; // where the stand-in writes its time
constexpr std::size_t kWindowBytes = 40u << 20;

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The time of the stand-in's first instruction; negative when none came.
double FirstInstruction(int fd) {
    timespec at{};
    ssize_t got;
    while ((got = read(fd, &at, sizeof at)) < 0 && errno == EINTR) {
    }
    if (got != static_cast<ssize_t>(sizeof at)) {
        return -1;
    }
    return static_cast<double>(at.tv_sec) + static_cast<double>(at.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void GoToFirstInstruction(benchmark::State& state) {
    const TempDir tmp{TempDir::ShortNamed{}};
    const fs::path program = tmp.MakeDir("Emulators") / "hu-go!.exe";
    fs::copy_file(VORLANES_FIRST_INSTRUCTION, program);
    tmp.Write("PC Engine Collection/game.pce");
    const std::string root = platform::PathMap::System().ToSystem(tmp.native());
    const std::string emulatorDir = ShortPath(root + "\\Emulators\\"); // as stored
    const std::string imageDir = root + "\\PC Engine Collection";
    const std::string line = LaunchCommandLine(emulatorDir, imageDir, "game.pce");
    std::string arg0 = program.string();
    std::string arg1 = line.substr(line.find(' ') + 1);
    char* argv[] = {arg0.data(), arg1.data(), nullptr};

    // An installed emulator's directory is older than the clock's tick, so its
    // listing is kept from one Go to the next.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const std::vector<char> window(kWindowBytes, 1);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0 || dup2(fds[1], kReportFd) != kReportFd) {
        state.SkipWithError("no pipe");
        return;
    }
    close(fds[1]);

    std::vector<double> bare;
    std::vector<double> ours;
    std::vector<double> busy;
    for (auto _ : state) {
        const bool bareFirst = bare.size() % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const double start = Now();
            if ((side == 0) == bareFirst) {
                pid_t pid = 0;
                if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
                    state.SkipWithError("the bare spawn failed");
                    return;
                }
                bare.push_back(FirstInstruction(fds[0]) - start);
                waitpid(pid, nullptr, 0);
            } else {
                const platform::StartResult started = platform::SystemStarter().Start(
                    LaunchCommandLine(emulatorDir, imageDir, "game.pce"));
                busy.push_back(Now() - start);
                if (!started.ok) {
                    state.SkipWithError(started.reason.c_str());
                    return;
                }
                ours.push_back(FirstInstruction(fds[0]) - start);
            }
        }
    }
    close(fds[0]);
    close(kReportFd);
    benchmark::DoNotOptimize(window.data());
    state.counters["bare_ms"] = Median(bare) * 1e3;
    state.counters["ours_ms"] = Median(ours) * 1e3;
    state.counters["busy_ms"] = Median(busy) * 1e3;
    state.counters["ratio"] = Median(ours) / Median(bare);
    std::vector<double> turns;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        turns.push_back(ours[i] / bare[i]);
    }
    state.counters["turn_ratio"] = Median(turns);
}

BENCHMARK(GoToFirstInstruction)->Iterations(400)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
