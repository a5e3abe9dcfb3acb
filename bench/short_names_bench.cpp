// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The emulator's "Hu-go!.ini" reached through "PC Eng~1" in a directory of
// 100,000 entries, three of them sharing that short form: with the directory's
// listing kept, and with it read anew on every call (as before listings were
// kept). Goal: a few hundred microseconds at most once kept.
#include "platform/files/paths_posix.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <thread>

namespace {

const TempDir& Directory() {
    static const std::unique_ptr<TempDir> dir = [] {
        auto d = std::make_unique<TempDir>();
        d->MakeDir("PC Engine Archive");
        d->Write("PC Engine Collection/Hu-Go/Hu-go!.ini", "[Main]\r\n");
        d->MakeDir("PC Engine Old");
        for (int i = 0; i < 100000 - 3; ++i) {
            d->Write("image " + std::to_string(i) + ".pce");
        }
        // Listings of a directory changed within the last seconds are not kept.
        std::this_thread::sleep_for(std::chrono::milliseconds(3100));
        return d;
    }();
    return *dir;
}

const std::string& IniPath() {
    static const std::string path = [] {
        const platform::PathMap map({{'Z', "/", "/"}});
        return map.ToSystem(Directory().native()) + "\\PC Eng~1\\Hu-Go\\Hu-go!.ini";
    }();
    return path;
}

void ListingKept(benchmark::State& state) {
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string path = IniPath();
    if (map.ToNative(path) != Directory().native() + "/PC Engine Collection/Hu-Go/Hu-go!.ini") {
        state.SkipWithError("resolved elsewhere");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.ToNative(path));
    }
}

void ListingReadAnew(benchmark::State& state) {
    const platform::PathMap map({{'Z', "/", "/"}});
    const std::string path = IniPath();
    for (auto _ : state) {
        platform::ForgetDirectoryListings();
        benchmark::DoNotOptimize(map.ToNative(path));
    }
}

} // namespace

BENCHMARK(ListingKept)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListingReadAnew)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
