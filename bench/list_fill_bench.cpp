// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Filling the file list and the directory list, at growing sizes, in turns
// with a bare scan of the same directory in the same run: readdir, the same
// case-insensitive match of the three image masks, and a sort regardless of
// case. Goal: at most 1.1 times the bare scan at every size, and a cost per
// entry that does not grow with the size (the "per_entry" counter, in seconds).
//
// FirstFillInFreshProcess opens a folder of names like a collection's (titles
// of every length, tags, mixed case) as the program does, in a process just
// started with its Qt application: the directory list's rows, then the file
// list's, laid out by their Qt views. Its peer, in turns, is a bare scan
// shown in a QListView through a QStringListModel in a process of the same
// kind. Goal: at most 1.1 times the bare one.
//
// Under callgrind each size runs three fills and only our fills are counted,
// so that the instructions of one benchmark divided by 3 and by its size are
// its instructions per entry:
//   valgrind --tool=callgrind --collect-atstart=no bench/list_fill_bench
//       --benchmark_filter='^FillFileList/10000$'
#include "bench/list_fill/bare_scan.h"
#include "bench/turns.h"
#include "front/qt/dir_list.h"
#include "front/qt/file_list.h"
#include "platform/files/paths.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#define RUNNING_ON_VALGRIND 0
#endif

extern char** environ;

namespace {

// N entries: files, four in five of them images in mixed case, or subdirectories.
const TempDir& Directory(int entries, bool subdirectories) {
    static std::map<std::pair<int, bool>, std::unique_ptr<TempDir>> made;
    std::unique_ptr<TempDir>& dir = made[{entries, subdirectories}];
    if (!dir) {
        dir = std::make_unique<TempDir>();
        const char* extensions[] = {".pce", ".PCE", ".zip", ".Iso", ".txt"};
        for (int i = 0; i < entries; ++i) {
            // Numbers of six digits at every size: names of one length cost the
            // same to copy and compare whatever the size of the directory.
            std::string number = std::to_string((i * 7919) % entries);
            const std::string name = "entry " + std::string(6 - number.size(), '0') + number;
            if (subdirectories) {
                dir->MakeDir(name);
            } else {
                dir->Write(name + extensions[i % 5]);
            }
        }
    }
    return *dir;
}

// N files named as a collection names them: titles of one to six words,
// many sharing their first, with region and version tags, in mixed case;
// four in five of them images.
const TempDir& Collection(int entries) {
    static std::map<int, std::unique_ptr<TempDir>> made;
    std::unique_ptr<TempDir>& dir = made[entries];
    if (!dir) {
        dir = std::make_unique<TempDir>();
        const char* words[] = {"Bonk's",  "Adventure", "Revenge",  "Super",       "Star",
                               "Soldier", "R-Type",    "Ninja",    "Spirit",      "Gaiden",
                               "Legend",  "of",        "the",      "Xanadu",      "Ys",
                               "Book",    "II",        "III",      "Castlevania", "Rondo",
                               "Blood",   "Dungeon",   "Explorer", "Neutopia",    "Gate",
                               "Thunder", "Alien",     "Crush",    "Devil's",     "Splatterhouse"};
        const char* tags[] = {"",           " (J)",      " (U)",     " (Japan)",
                              " (USA) [!]", " (J) [h1]", " (Rev 1)", " [CD]"};
        const char* extensions[] = {".pce", ".PCE", ".zip", ".iso", ".txt"};
        std::mt19937 random(35);
        std::map<std::string, int> seen;
        for (int i = 0; i < entries; ++i) {
            std::string name = words[random() % std::size(words)];
            for (int w = static_cast<int>(random() % 6); w > 0; --w) {
                name += ' ';
                name += words[random() % std::size(words)];
            }
            name += tags[random() % std::size(tags)];
            if (const int n = seen[name]++; n > 0) {
                name += " (" + std::to_string(n) + ")";
            }
            dir->Write(name + extensions[i % 5]);
        }
    }
    return *dir;
}

// Runs one fill, the only part callgrind counts.
template <class Fill> void Measured(Fill&& fill) {
    CALLGRIND_TOGGLE_COLLECT;
    fill();
    CALLGRIND_TOGGLE_COLLECT;
}

// What opening a directory does: one listing, the rows shown.
void Fill(qtfront::FileList& list, const std::string& path) {
    list.Show(path, std::make_shared<const platform::Listing>(platform::ListDirectory(path)));
    list.doItemsLayout(); // what showing the rows would do
}
void Fill(qtfront::DirList& list, const std::string& path) {
    list.rows().Open(path, nullptr);
    list.Shown();
    list.doItemsLayout();
    // A large folder's rest, as read once its first rows are painted.
    if (list.rows().ReadRest()) {
        list.Shown();
        list.doItemsLayout();
    }
}

void PerEntry(benchmark::State& state) {
    state.counters["per_entry"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void Bare(benchmark::State& state, bool subdirectories) {
    const std::string native = Directory(static_cast<int>(state.range(0)), subdirectories).native();
    for (auto _ : state) {
        Measured([&] { benchmark::DoNotOptimize(BareScan(native, subdirectories)); });
    }
    PerEntry(state);
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Ours and the bare scan in turns, each first every other time.
template <class List> void FillList(benchmark::State& state, List& list, bool subdirectories) {
    const TempDir& dir = Directory(static_cast<int>(state.range(0)), subdirectories);
    const std::string native = dir.native();
    const std::string path = platform::PathMap::System().ToSystem(native);
    Fill(list, path); // the first fill also loads the fonts
    std::vector<double> ours, bare;
    for (auto _ : state) {
        const bool bareFirst = ours.size() % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const auto start = std::chrono::steady_clock::now();
            if ((side == 0) == bareFirst) {
                benchmark::DoNotOptimize(BareScan(native, subdirectories));
                bare.push_back(Seconds(start));
            } else {
                Measured([&] { Fill(list, path); });
                ours.push_back(Seconds(start));
            }
        }
        benchmark::DoNotOptimize(list.count());
    }
    PerEntry(state);
    state.counters["listed"] = list.count();
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["bare_ms"] = turns::Median(bare) * 1e3;
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
}

void BareFileScan(benchmark::State& state) {
    Bare(state, false);
}
void FillFileList(benchmark::State& state) {
    qtfront::FileList list("*.pce;*.zip;*.iso");
    FillList(state, list, false);
}
void BareDirScan(benchmark::State& state) {
    Bare(state, true);
}
void FillDirList(benchmark::State& state) {
    qtfront::DirList list;
    FillList(state, list, true);
}

// The seconds one fill took in a process of its own, as it tells them; negative
// when it failed. `listed` gets how many files it shows.
double FreshFill(const char* mode, const std::string& native, long* listed) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = VORLANES_FRESH_FILL;
    std::string modeArg = mode;
    std::string dirArg = native;
    char* argv[] = {program.data(), modeArg.data(), dirArg.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    double seconds = -1;
    if (FILE* told = fdopen(out[0], "r")) {
        if (failed || std::fscanf(told, "%lf %ld", &seconds, listed) != 2) {
            seconds = -1;
        }
        std::fclose(told);
    } else {
        close(out[0]);
    }
    int status = 0;
    if (!failed &&
        (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)) {
        seconds = -1;
    }
    return seconds;
}

void FirstFillInFreshProcess(benchmark::State& state) {
    const std::string native = Collection(static_cast<int>(state.range(0))).native();
    std::vector<double> bare;
    std::vector<double> ours;
    long bareListed = 0;
    long oursListed = 0;
    for (auto _ : state) {
        const bool bareFirst = bare.size() % 2 == 0;
        if (bareFirst) {
            bare.push_back(FreshFill("bare", native, &bareListed));
        }
        ours.push_back(FreshFill("rows", native, &oursListed));
        if (!bareFirst) {
            bare.push_back(FreshFill("bare", native, &bareListed));
        }
        if (bare.back() < 0 || ours.back() < 0 || bareListed != oursListed) {
            state.SkipWithError("a fill failed, or the two listed different files");
            return;
        }
    }
    state.counters["bare_ms"] = turns::Median(bare) * 1e3;
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["ratio"] = turns::Median(ours) / turns::Median(bare);
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
    state.counters["listed"] = static_cast<double>(oursListed);
}

// Our first rows, beside those a QFileSystemModel shows: a first batch of the
// folder, unsorted, the rest still to come. Ours are the first entries read,
// in name order among themselves.
void FirstRowsBesideQFileSystemModel(benchmark::State& state) {
    const std::string native = Collection(static_cast<int>(state.range(0))).native();
    std::vector<double> model, ours;
    long modelRows = 0, oursRows = 0;
    for (auto _ : state) {
        const bool modelFirst = model.size() % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == modelFirst) {
                model.push_back(FreshFill("model", native, &modelRows));
            } else {
                ours.push_back(FreshFill("first", native, &oursRows));
            }
        }
        if (model.back() < 0 || ours.back() < 0) {
            state.SkipWithError("a fill failed");
            return;
        }
    }
    state.counters["model_ms"] = turns::Median(model) * 1e3;
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["turn_ratio"] = turns::TurnRatio(ours, model);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, model);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, model);
    state.counters["model_rows"] = static_cast<double>(modelRows);
    state.counters["our_rows"] = static_cast<double>(oursRows);
}

void Sizes(benchmark::internal::Benchmark* b, std::initializer_list<int> sizes) {
    for (int size : sizes) {
        b->Arg(size);
    }
    b->Unit(benchmark::kMillisecond);
    if (RUNNING_ON_VALGRIND) {
        b->Iterations(3);
    }
}
void FileSizes(benchmark::internal::Benchmark* b) {
    Sizes(b, {1000, 10000, 100000, 200000});
}
void DirSizes(benchmark::internal::Benchmark* b) {
    Sizes(b, {1000, 10000, 100000});
}

BENCHMARK(BareFileScan)->Apply(FileSizes);
BENCHMARK(FillFileList)->Apply(FileSizes);
BENCHMARK(BareDirScan)->Apply(DirSizes);
BENCHMARK(FillDirList)->Apply(DirSizes);
BENCHMARK(FirstFillInFreshProcess)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FirstRowsBesideQFileSystemModel)
    ->Arg(100000)
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

} // namespace
