// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Filling the file list for a directory of 10,000 files, 2,000 of them images,
// in turns with a bare scan of the same directory in the same run: readdir,
// the same case-insensitive filter and a sort regardless of case, as the
// list's order is. Goal: median under 50 ms, and within 1.1 times the bare scan.
#include "bench/list_fill/bare_scan.h"
#include "bench/turns.h"
#include "front/qt/file_list.h"
#include "platform/files/paths.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

const TempDir& Directory() {
    static const std::unique_ptr<TempDir> dir = [] {
        auto d = std::make_unique<TempDir>();
        const char* images[] = {".pce", ".PCE", ".zip", ".iso", ".Pce"};
        for (int i = 0; i < 10000; ++i) {
            const std::string ext = i % 5 == 0 ? images[(i / 5) % 5] : ".txt";
            d->Write("file " + std::to_string(i) + ext);
        }
        return d;
    }();
    return *dir;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void FillFileList(benchmark::State& state) {
    const std::string native = Directory().native();
    const std::string dir = platform::PathMap::System().ToSystem(native);
    qtfront::FileList list("*.pce;*.zip;*.iso");
    std::vector<double> ours, bare;
    std::size_t bareListed = 0;
    for (auto _ : state) {
        const bool bareFirst = ours.size() % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const auto start = std::chrono::steady_clock::now();
            if ((side == 0) == bareFirst) {
                bareListed = BareScan(native, false).size();
                bare.push_back(Seconds(start));
            } else {
                list.Show(dir,
                          std::make_shared<const platform::Listing>(platform::ListDirectory(dir)));
                ours.push_back(Seconds(start));
            }
        }
    }
    if (bareListed != static_cast<std::size_t>(list.count()))
        state.SkipWithError("the two listed different files");
    state.counters["ours_ms"] = turns::Median(ours) * 1e3;
    state.counters["bare_ms"] = turns::Median(bare) * 1e3;
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
    state.counters["listed"] = list.count();
}

BENCHMARK(FillFileList)->Unit(benchmark::kMillisecond)->Iterations(60);

} // namespace
