// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// ReadValue and WriteValue of Tolv_CIni on a 1 KiB and a 1 MiB file, the key
// in the last section so that the whole file is scanned. Goals on 1 MiB:
// median read under 2 ms, median write (flushed to disk) under 25 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"

namespace {

std::string FileOfSize(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() + 64 < bytes; ++i)
        text += "[Section" + std::to_string(i) + "]\r\nkey=value of section " + std::to_string(i) +
                "\r\n";
    return text + "[Main]\r\nvmode=0\r\n";
}

void ReadValue(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::WriteFile(file, FileOfSize(static_cast<std::size_t>(state.range(0))));
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    std::string value;
    for (auto _ : state) {
        if (!ini.ReadValue("Main", "vmode", value))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void WriteValue(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::WriteFile(file, FileOfSize(static_cast<std::size_t>(state.range(0))));
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    long n = 0;
    for (auto _ : state) {
        // A new value each time: an unchanged file is not rewritten.
        if (!ini.WriteValue("Main", "vmode", std::to_string(++n % 5)))
            state.SkipWithError("write failed");
    }
}

BENCHMARK(ReadValue)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(WriteValue)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
