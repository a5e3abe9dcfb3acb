// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Opening "Setup Hu-Go!" and pressing OK on a large "Hu-go!.ini": both should
// feel instant (well under 50 ms) even when the emulator's file has grown.
#include "config/confighugo.h"
#include "config/hugo_ini.h"
#include "config/main_window_fixture.h"
#include "ini/tolv_cini.h"

#include <benchmark/benchmark.h>

namespace {

// About 1 MiB of the emulator's other sections first, so that every lookup of
// "Main" walks the whole file.
std::string LargeIni() {
    std::string text;
    for (int section = 0; text.size() < (1u << 20); ++section) {
        text += "[Extra" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key) {
            text += "key" + std::to_string(key) + "=some value of a reasonable length\r\n";
        }
    }
    text += "[Main]\r\nvmode=3\r\nlanguage=1\r\nrom_dir=C:\\Program Files\\roms\\\r\n"
            "eagle=1\r\nexact_draw=0\r\nsmode=-1\r\nstatic_refresh=2\r\nconfig=0\r\n";
    return text;
}

struct Fixture : MainWindowOnIniDir {
    Fixture() { dir.Write(LargeIni()); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_OpenDialog(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        f.main.Setup_Click(); // built and loaded
        state.PauseTiming();
        f.front.Of(*f.main.configDialog()).Click("CancelButton");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly();

void BM_LoadKeys(benchmark::State& state) {
    Fixture& f = Shared();
    Tolv_CIni ini;
    ini.FileName(hugo::IniFileName(f.settings.dir));
    for (auto _ : state) {
        hugo::Settings settings;
        hugo::Load(ini, settings);
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_LoadKeys)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly();

// The dialog opened and loaded untimed, then OK as the user presses it.
void BM_Ok(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        f.main.Setup_Click();
        state.ResumeTiming();
        f.front.Of(*f.main.configDialog()).Click("OKButton");
    }
}
BENCHMARK(BM_Ok)->Unit(benchmark::kMillisecond)->Repetitions(9)->DisplayAggregatesOnly();

} // namespace
