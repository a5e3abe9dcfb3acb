// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Our profile functions beside Wine's kernel32 on copies of the same files,
// in turns in the same run. Wine's side is the Windows build's profile
// replayer under Wine, which times its calls itself, so that the pipe to it
// costs neither side; without the Windows build (make windows) it is skipped.
//  - ReadValue: the key in the last section of a 1 KiB and a 1 MiB file, so
//    that a reader without an index walks the whole file. Goal: no slower
//    than Wine's, which keeps its parse of the file too.
//  - SetupOk: the eight writes of Setup's OK on the emulator's own 1 KiB
//    file, every value changed: ours durable (each write on disk, with its
//    directory, when it returns), ours unflushed, and Wine's (which never
//    flushes). Goal: durable no slower than Wine's.
//  - WriteValueAsTheWindowPaysIt: one OK's writes to a 1 MiB file in a fresh
//    process, after allocations like a window's, beside the same with the
//    allocator's trimming held off; durable on both sides. Goal: under 3 ms.
#include "bench/turns.h"
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"
#include "platform/files/paths.h"
#include "platform/profile/differential/profile_calls.h"
#include "platform/profile/differential/replayer.h"
#include "platform/profile/profile_posix.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

const char* const kKeys[] = {"vmode", "Config", "language",       "rom_dir",
                             "eagle", "smode",  "static_refresh", "exact_draw"};

// One of two sets of values for Setup's keys, so that every write changes the file.
std::string ValueOf(std::size_t key, long round) {
    if (key == 3)
        return round % 2 ? "C:\\Progra~1\\Roms\\" : "D:\\Jeux\\PCEngi~1\\";
    if (key == 5)
        return round % 2 ? "-1" : "0";
    return std::to_string(round % 2);
}

std::string MainSection() {
    std::string main = "[Main]\r\n";
    for (std::size_t key = 0; key < std::size(kKeys); ++key)
        main += std::string(kKeys[key]) + "=" + ValueOf(key, 0) + "\r\n";
    return main;
}

// Other sections first, so that the "Main" of a big file comes last.
std::string FileOfSize(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() + 256 < bytes; ++i)
        text += "[Section" + std::to_string(i) + "]\r\nkey=value of section " + std::to_string(i) +
                "\r\n";
    return text + MainSection();
}

// The emulator's own file, about 1 KiB: its keys, and what else it keeps.
std::string EmulatorsFile() {
    std::string text = MainSection();
    const char* const more[] = {
        "joy_type",      "joy_mapping", "window_size",          "fullscreen",
        "sound_driver",  "freq",        "buffer_size",          "netplay",
        "cdsystem_path", "cd_path",     "minimum_bios_hooking", "last_rom"};
    for (const char* key : more)
        text += std::string(key) + "=" + std::string(32, 'x') + "\r\n";
    text += "[Joypad]\r\n";
    for (int i = 0; text.size() < 1000; ++i)
        text += "button" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
    return text;
}

std::string WinePath(const std::string& native) {
    static const platform::PathMap zOnly({{'Z', "/", "/"}});
    return zOnly.ToSystem(native);
}

// kernel32 under Wine, started once for the whole run.
differential::Replayer* Wine() {
    static std::unique_ptr<differential::Replayer> wine = []() {
        if (!std::filesystem::exists(VORLANES_REPLAYER))
            return std::unique_ptr<differential::Replayer>();
        return std::make_unique<differential::Replayer>(VORLANES_WINE_RUN, VORLANES_REPLAYER,
                                                        VORLANES_BENCH_PREFIX);
    }();
    return wine && wine->Running() ? wine.get() : nullptr;
}

// Microseconds that Wine took for the calls, or a negative number.
double WineTime(const std::vector<differential::Call>& calls) {
    std::string line = "time ";
    for (const auto& call : calls)
        line += differential::Encode(call) + "|";
    line.pop_back();
    std::string answer;
    if (!Wine() || !Wine()->Ask(line, answer) || answer.empty() || answer == "bad call")
        return -1;
    return std::strtod(answer.c_str(), nullptr) / 1e3;
}

differential::Call ReadCall(const std::string& file) {
    differential::Call call;
    call.op = differential::Op::String;
    call.a = differential::Text("Main");
    call.b = differential::Text("vmode");
    call.c = differential::Text("");
    call.size = 255;
    call.file = WinePath(file);
    return call;
}

differential::Call WriteCall(const std::string& file, const char* key, const std::string& value) {
    differential::Call call;
    call.op = differential::Op::WriteString;
    call.a = differential::Text("Main");
    call.b = differential::Text(key);
    call.c = differential::Text(value);
    call.file = WinePath(file);
    return call;
}

// Parses are kept only of files that have not changed for a while.
void LetSettle() {
    std::this_thread::sleep_for(platform::PosixProfile::kSettledAfter * 2);
}

void ReadValue(benchmark::State& state) {
    constexpr int kCalls = 10; // per sample, on each side
    ini_test::TempDir dir;
    const std::string ours = dir.Path("ours.ini"), wine = dir.Path("wine.ini");
    const std::string text = FileOfSize(static_cast<std::size_t>(state.range(0)));
    ini_test::WriteFile(ours, text);
    ini_test::WriteFile(wine, text);
    LetSettle();
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(ours);
    const std::vector<differential::Call> calls(kCalls, ReadCall(wine));
    std::vector<double> mine, theirs;
    std::string value;
    for (auto _ : state) {
        const bool wineFirst = mine.size() % 2 == 0;
        if (wineFirst && Wine())
            theirs.push_back(WineTime(calls) / kCalls);
        const auto start = Clock::now();
        for (int i = 0; i < kCalls; ++i) {
            if (!ini.ReadValue("Main", "vmode", value))
                state.SkipWithError("read failed");
        }
        mine.push_back(Since(start) / kCalls);
        if (!wineFirst && Wine())
            theirs.push_back(WineTime(calls) / kCalls);
    }
    state.counters["ours_us"] = turns::Median(mine);
    if (!theirs.empty()) {
        state.counters["wine_us"] = turns::Median(theirs);
        state.counters["turn_ratio"] = turns::TurnRatio(mine, theirs);
    }
}
BENCHMARK(ReadValue)->Arg(1 << 10)->Arg(1 << 20)->Iterations(400)->Unit(benchmark::kMillisecond);

void SetupOk(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string durable = dir.Path("durable.ini"), unflushed = dir.Path("unflushed.ini"),
                      wine = dir.Path("wine.ini");
    for (const auto& file : {durable, unflushed, wine})
        ini_test::WriteFile(file, EmulatorsFile());
    platform::PosixProfile noFlush([](const std::string& name) { return name; },
                                   [&] { return dir.Path("kept"); }, false);
    Tolv_CIni flushed(ini_test::Profile()), quick(noFlush);
    flushed.FileName(durable);
    quick.FileName(unflushed);
    const auto ok = [](Tolv_CIni& ini, long round) {
        const auto start = Clock::now();
        for (std::size_t key = 0; key < std::size(kKeys); ++key)
            ini.WriteValue("Main", kKeys[key], ValueOf(key, round));
        return Since(start);
    };
    std::vector<double> sure, fast, theirs;
    long round = 0;
    for (auto _ : state) {
        ++round;
        std::vector<differential::Call> calls;
        for (std::size_t key = 0; key < std::size(kKeys); ++key)
            calls.push_back(WriteCall(wine, kKeys[key], ValueOf(key, round)));
        // Each side first and last in turn.
        const int turn = static_cast<int>(round % 3);
        for (int side = 0; side < 3; ++side) {
            switch ((side + turn) % 3) {
            case 0:
                sure.push_back(ok(flushed, round));
                break;
            case 1:
                fast.push_back(ok(quick, round));
                break;
            default:
                if (Wine())
                    theirs.push_back(WineTime(calls));
            }
        }
    }
    state.counters["durable_ms"] = turns::Median(sure) / 1e3;
    state.counters["unflushed_ms"] = turns::Median(fast) / 1e3;
    if (!theirs.empty()) {
        state.counters["wine_ms"] = turns::Median(theirs) / 1e3;
        state.counters["durable_turn_ratio"] = turns::TurnRatio(sure, theirs);
        state.counters["unflushed_turn_ratio"] = turns::TurnRatio(fast, theirs);
    }
}
BENCHMARK(SetupOk)->Iterations(300)->Unit(benchmark::kMillisecond);

constexpr std::string_view kOneOk = "--one-ok";

// What a window has allocated by the time OK is pressed, roughly: tens of
// thousands of small blocks and some big ones, a third of them freed again.
std::vector<std::unique_ptr<char[]>> WindowLikeHeap() {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 60000; ++i) {
        const std::size_t size = i % 1000 == 0 ? 256 * 1024 : 16 + random() % 512;
        blocks.emplace_back(new char[size]);
        std::memset(blocks.back().get(), 1, size);
    }
    for (std::size_t i = 0; i < blocks.size(); i += 3)
        blocks[i].reset();
    return blocks;
}

// The child: one OK's writes, each one's microseconds on a line.
int OneOk(const std::string& file, long round) {
    const auto heap = WindowLikeHeap();
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(file);
    for (std::size_t key = 0; key < std::size(kKeys); ++key) {
        const auto start = Clock::now();
        if (!ini.WriteValue("Main", kKeys[key], ValueOf(key, round)))
            return 1;
        std::printf("%.1f\n", Since(start));
    }
    return 0;
}

// The microseconds of each write of one OK in a fresh process.
std::vector<double> FreshProcessOk(const std::string& file, long round, bool holdTrimming) {
    static const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string command = holdTrimming ? "GLIBC_TUNABLES=glibc.malloc.trim_threshold=4294967295:"
                                         "glibc.malloc.mmap_threshold=33554432 "
                                       : "";
    command += "'" + self + "' " + std::string(kOneOk) + " '" + file + "' " + std::to_string(round);
    std::vector<double> times;
    if (std::FILE* child = ::popen(command.c_str(), "r")) {
        for (double t; std::fscanf(child, "%lf", &t) == 1;)
            times.push_back(t);
        if (::pclose(child) != 0)
            times.clear();
    }
    return times;
}

void WriteValueAsTheWindowPaysIt(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::WriteFile(file, FileOfSize(static_cast<std::size_t>(state.range(0))));
    std::vector<double> fresh, held, freshFirst, heldFirst;
    long round = 0;
    for (auto _ : state) {
        ++round;
        const bool heldBefore = round % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const bool hold = (side == 0) == heldBefore;
            const std::vector<double> times = FreshProcessOk(file, round, hold);
            if (times.size() != std::size(kKeys)) {
                state.SkipWithError("a write failed");
                return;
            }
            (hold ? heldFirst : freshFirst).push_back(times.front());
            auto& all = hold ? held : fresh;
            all.insert(all.end(), times.begin(), times.end());
        }
    }
    state.counters["write_ms"] = turns::Median(fresh) / 1e3;
    state.counters["first_write_ms"] = turns::Median(freshFirst) / 1e3;
    state.counters["untrimmed_write_ms"] = turns::Median(held) / 1e3;
    state.counters["untrimmed_first_write_ms"] = turns::Median(heldFirst) / 1e3;
    state.counters["turn_ratio"] = turns::TurnRatio(fresh, held);
}
BENCHMARK(WriteValueAsTheWindowPaysIt)->Arg(1 << 20)->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && argv[1] == kOneOk)
        return OneOk(argv[2], std::strtol(argv[3], nullptr, 10));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
