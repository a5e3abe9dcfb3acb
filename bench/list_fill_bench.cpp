// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Filling the file list and the directory list, at growing sizes, against a
// bare scan of the same directory in the same run: readdir, the same
// case-insensitive match of the three image masks, and a case-insensitive sort.
// Goal: at most twice the bare scan at every size, and a cost per entry that
// does not grow with the size (the "per_entry" counter, in seconds).
//
// Under callgrind each size runs three fills and only the fills are counted,
// so that the instructions of one benchmark divided by 3 and by its size are
// its instructions per entry:
//   valgrind --tool=callgrind --collect-atstart=no bench/list_fill_bench
//       --benchmark_filter='^FillFileList/10000$'
#include "front/qt/dir_list.h"
#include "front/qt/file_list.h"
#include "platform/files/paths.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <dirent.h>
#include <map>
#include <memory>
#include <strings.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#define RUNNING_ON_VALGRIND 0
#endif

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

bool IsImage(const char* name) {
    const std::size_t n = std::strlen(name);
    if (n < 4) {
        return false;
    }
    const char* ext = name + n - 4;
    return strcasecmp(ext, ".pce") == 0 || strcasecmp(ext, ".zip") == 0 ||
           strcasecmp(ext, ".iso") == 0;
}

std::vector<std::string> BareScan(const std::string& native, bool subdirectories) {
    std::vector<std::string> names;
    DIR* dir = opendir(native.c_str());
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') {
            continue;
        }
        if (subdirectories ? e->d_type == DT_DIR : (e->d_type != DT_DIR && IsImage(e->d_name))) {
            names.emplace_back(e->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

// Runs one fill, the only part callgrind counts.
template <class Fill> void Measured(Fill&& fill) {
    CALLGRIND_TOGGLE_COLLECT;
    fill();
    CALLGRIND_TOGGLE_COLLECT;
}

// What opening a directory does: one listing, the rows shown.
void Fill(qtfront::FileList& list, const std::string& path) {
    list.Show(path, platform::ListDirectory(path));
    list.doItemsLayout(); // what showing the rows would do
}
void Fill(qtfront::DirList& list, const std::string& path) {
    list.Open(path, nullptr, nullptr);
    list.doItemsLayout();
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

template <class List> void FillList(benchmark::State& state, List& list, bool subdirectories) {
    const TempDir& dir = Directory(static_cast<int>(state.range(0)), subdirectories);
    const std::string path = platform::PathMap::System().ToSystem(dir.native());
    Fill(list, path); // the first fill also loads the fonts
    for (auto _ : state) {
        Measured([&] { Fill(list, path); });
        benchmark::DoNotOptimize(list.count());
    }
    PerEntry(state);
    state.counters["listed"] = list.count();
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

} // namespace
