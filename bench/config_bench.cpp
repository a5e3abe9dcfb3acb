// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Opening "Setup Hu-Go!" and pressing OK, on the Qt windows the program
// shows, over the emulator's own 1 KiB "Hu-go!.ini" and over one grown to
// 1 MiB. OK writes all eight keys, each to another value than the file
// holds, durably as the program always does: goal under 1.5 ms at 1 MiB.
#include "app/frontend.h"
#include "config/confighugo.h"
#include "config/hugo_fixture.h"
#include "config/hugo_ini.h"
#include "front/qt/qt_front.h"
#include "ini/tolv_cini.h"
#include "support/fakes.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

// One of two sets of the eight values, so that each OK changes every key.
std::string MainSection(int set, const std::string& romDir) {
    return set == 0
               ? "[Main]\r\nvmode=3\r\nlanguage=1\r\nrom_dir=" + romDir +
                     "\r\neagle=1\r\nexact_draw=0\r\nsmode=-1\r\nstatic_refresh=2\r\nconfig=0\r\n"
               : "[Main]\r\nvmode=1\r\nlanguage=4\r\nrom_dir=" + romDir +
                     "\r\neagle=0\r\nexact_draw=1\r\nsmode=0\r\nstatic_refresh=0\r\nconfig=2\r\n";
}

// What the emulator keeps besides, up to about `bytes`, so that at 1 MiB
// every lookup of "Main" walks the whole file.
std::string OtherSections(std::size_t bytes) {
    std::string text;
    for (int section = 0; text.size() + 200 < bytes; ++section) {
        const std::string header = "[Extra" + std::to_string(section) + "]\r\n";
        text += header;
        for (int key = 0; key < 20 && text.size() + 200 < bytes; ++key) {
            const std::string name = "key" + std::to_string(key);
            text += name + "=some value of a reasonable length\r\n";
        }
    }
    return text;
}

// The program's Qt windows, the emulator's directory set to one of its own;
// kept to the end of the process, past the benchmarks' QApplication.
struct OnQt {
    explicit OnQt(std::size_t bytes) {
        settings.dir = dir.SystemDir();
        // ROM directories that exist, each as OK stores it.
        dir.MakeDir("roms");
        const std::string others = OtherSections(bytes);
        texts[0] = others + MainSection(0, dir.SystemDir());
        texts[1] = others + MainSection(1, dir.SystemDir() + "roms\\");
        dir.Write(texts[0]);
        host.Show(main);
    }
    void Click(const char* button) {
        QWidget* dialog = front.Window(*main.configDialog());
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    // What the event loop does between two clicks of the user's; without it,
    // posted events pile up and each new one is compared with all of them.
    static void Idle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool DialogShown() const {
        const QWidget* dialog = main.configDialog() ? front.Window(*main.configDialog()) : nullptr;
        return dialog && dialog->isVisible();
    }

    IniDir dir;
    std::string texts[2];
    FakeSettings settings;
    fakes::Starter starter;
    qtfront::QtFront front;
    forms::Host host{front};
    Frontend main{platform::Services{settings, starter, platform::PathMap::System(),
                                     platform::SystemProfile()},
                  host};
};

OnQt& Shared(std::int64_t bytes) {
    static OnQt* small = nullptr;
    static OnQt* large = nullptr;
    OnQt*& program = bytes < (1 << 20) ? small : large;
    if (!program)
        program = new OnQt(static_cast<std::size_t>(bytes));
    return *program;
}

void BM_OpenDialog(benchmark::State& state) {
    OnQt& f = Shared(state.range(0));
    for (auto _ : state) {
        f.main.Setup_Click(); // built, loaded and shown
        state.PauseTiming();
        OnQt::Idle();
        f.Click("CancelButton");
        OnQt::Idle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDialog)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly();

void BM_LoadKeys(benchmark::State& state) {
    OnQt& f = Shared(state.range(0));
    Tolv_CIni ini;
    ini.FileName(hugo::IniFileName(f.settings.dir));
    for (auto _ : state) {
        hugo::Settings settings;
        hugo::Load(ini, settings);
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_LoadKeys)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly();

// The dialog opened on one set of values untimed, the file then given the
// other set behind it, and OK pressed: all eight keys are written.
void BM_Ok(benchmark::State& state) {
    OnQt& f = Shared(state.range(0));
    int set = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.dir.Write(f.texts[set]);
        f.main.Setup_Click();
        OnQt::Idle();
        set = 1 - set;
        f.dir.Write(f.texts[set]);
        state.ResumeTiming();
        f.Click("OKButton");
        state.PauseTiming();
        OnQt::Idle();
        if (f.DialogShown()) {
            state.SkipWithError("OK did not close the dialog");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Ok)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->DisplayAggregatesOnly();

} // namespace
