// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// From Go to the emulator's first instruction: Go pressed on the main window
// with an image selected (its command line, the check that the emulator can
// be handed the name, the settle of the emulator's INI file, then the start
// with the directory the short form stands for) against a bare posix_spawn of
// the same program with the same arguments, in turns in the same run, from a
// process that holds as much memory as the window does. Goal: within 1.5
// times the bare spawn (medians). "busy_ms" is how long Go holds the window;
// "session_ms" is the bare spawn with the session of its own that the launch
// gives the emulator.
#include "app/frontend.h"
#include "app/launch.h"
#include "app/shortpath.h"
#include "bench/turns.h"
#include "platform/files/paths.h"
#include "platform/process/program_start.h"
#include "support/fake_view.h"
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

void GoToFirstInstruction(benchmark::State& state) {
    const TempDir tmp{TempDir::ShortNamed{}};
    const fs::path program = tmp.MakeDir("Emulators") / "hu-go!.exe";
    fs::copy_file(VORLANES_FIRST_INSTRUCTION, program);
    tmp.Write("PC Engine Collection/game.pce");
    const std::string root = platform::PathMap::System().ToSystem(tmp.native());
    const std::string emulatorDir = ShortPath(root + "\\Emulators\\"); // as stored
    const std::string imageDir = root + "\\PC Engine Collection";
    const std::string line = LaunchCommandLine(emulatorDir, imageDir, "game.pce");
    // The emulator's own settings beside it, as Go settles them before the start.
    tmp.Write("Emulators/Hu-go!.ini", "[Main]\r\nvmode=0\r\nrom_dir=C:\\\r\n");

    // The main window open on the image's directory, the image selected, the
    // emulator's directory stored; only the program's start is the system's own.
    const InDirectory here(tmp.path() / "PC Engine Collection");
    fakes::Settings settings;
    settings.values[{"Vorlanes", "HuGo", "Path"}] = emulatorDir;
    fakes::Front front;
    forms::Host host{front};
    Frontend main{platform::Services{settings, platform::SystemStarter(),
                                     platform::PathMap::System(), platform::SystemProfile()},
                  host};
    host.Show(main);
    fakes::View& view = front.Of(main);
    view.SelectFile("game.pce");
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

    // The bare spawn, alone and with the session of its own that the launch
    // gives the emulator; their times to the first instruction.
    const auto spawn = [&](short flags, std::vector<double>& times) {
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, flags);
        const double start = Now();
        pid_t pid = 0;
        const int failed = posix_spawn(&pid, argv[0], nullptr, &attr, argv, environ);
        posix_spawnattr_destroy(&attr);
        if (failed == 0) {
            times.push_back(FirstInstruction(fds[0]) - start);
            waitpid(pid, nullptr, 0);
        }
        return failed == 0;
    };
    std::vector<double> bare;
    std::vector<double> session;
    std::vector<double> ours;
    std::vector<double> busy;
    std::size_t turn = 0;
    for (auto _ : state) {
        // Each turn the three in another order.
        for (std::size_t side = turn; side < turn + 3; ++side) {
            bool started = true;
            if (side % 3 == 0) {
                started = spawn(0, bare);
            } else if (side % 3 == 1) {
                started = spawn(POSIX_SPAWN_SETSID, session);
            } else {
                const double start = Now();
                view.Click("Go");
                busy.push_back(Now() - start);
                const double first = view.told.empty() ? FirstInstruction(fds[0]) : -1;
                started = first >= 0;
                ours.push_back(first - start);
            }
            if (!started) {
                state.SkipWithError("a spawn or the launch failed");
                return;
            }
        }
        ++turn;
    }
    close(fds[0]);
    close(kReportFd);
    benchmark::DoNotOptimize(window.data());
    state.counters["bare_ms"] = turns::Median(bare) * 1e3;
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["busy_ms"] = turns::Median(busy) * 1e3;
    state.counters["session_ms"] = turns::Median(session) * 1e3;
    state.counters["ratio"] = turns::Median(ours) / turns::Median(bare);
    state.counters["ratio_to_session"] = turns::Median(ours) / turns::Median(session);
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
}

BENCHMARK(GoToFirstInstruction)->Iterations(400)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
