// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Our profile functions beside Wine's kernel32 on copies of the same files,
// in turns in the same run. Wine's side is the Windows build's profile
// replayer under Wine, which times its calls itself, so that the pipe to it
// costs neither side; without the Windows build (make windows) it is skipped.
// Both sides are handed the same Windows path ("Z:\tmp\...") and find the
// file from it: ours through the drive map the program uses.
//  - ReadValue: the key in the last section of a 1 KiB and a 1 MiB file, so
//    that a reader without an index walks the whole file. Goal: no slower
//    than Wine's, which keeps its parse of the file too.
//  - SectionCalls: ReadSection of that last section and Enum_SectionNames on
//    the 1 MiB file, beside Wine's cached calls.
//  - SetupOk: Setup's OK on the emulator's own 1 KiB file, every value
//    changed: ours as the program writes it (one durable replacement) and
//    unflushed, beside Wine's eight writes (which never flush). Goal:
//    durable at most 0.6 times Wine's.
//  - OkAsTheWindowPaysIt: one OK on a 1 MiB file in a fresh process, after
//    allocations like a window's, in turns with the least a durable
//    replacement of that file does (read, write beside, flush, rename, flush
//    the directory) and with our OK with the allocator's trimming held off.
//    Goal: under 1.5 ms, where the disk flushes a 1 MiB file in well under that.
#include "bench/turns.h"
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
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

// Our profile functions as the program has them: files named by Windows
// paths, found through the system's drive map.
platform::PosixProfile& Programs(bool flushToDisk = true) {
    static const std::string kept =
        (std::filesystem::temp_directory_path() / "vorlanes-bench-kept").string();
    const auto native = [](const std::string& name) {
        return platform::PathMap::System().ToNative(name);
    };
    static platform::PosixProfile durable(
        native, [] { return kept; }, true);
    static platform::PosixProfile quick(
        native, [] { return kept; }, false);
    return flushToDisk ? durable : quick;
}

// A Tolv_CIni on the file as the program names it; empty when the drive
// map cannot name it.
bool OpenAsTheProgram(Tolv_CIni& ini, const std::string& native) {
    const std::string name = WinePath(native);
    ini.FileName(name);
    return platform::PathMap::System().ToNative(name) == native;
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

// Setup's OK: its eight writes reach the file as one replacement.
bool Ok(Tolv_CIni& ini, long round) {
    ini.BeginWrites();
    bool all = true;
    for (std::size_t key = 0; key < std::size(kKeys); ++key)
        all = ini.WriteValue("Main", kKeys[key], ValueOf(key, round)) && all;
    return ini.EndWrites() && all;
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
    Tolv_CIni ini(Programs());
    if (!OpenAsTheProgram(ini, ours)) {
        state.SkipWithError("no drive for the temporary directory");
        return;
    }
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
        state.counters["ratio_p10"] = turns::TurnRatioLow(mine, theirs);
        state.counters["ratio_p90"] = turns::TurnRatioHigh(mine, theirs);
    }
}
BENCHMARK(ReadValue)->Arg(1 << 10)->Arg(1 << 20)->Iterations(400)->Unit(benchmark::kMillisecond);

// ReadSection of the last section and Enum_SectionNames, each beside Wine's.
void SectionCalls(benchmark::State& state) {
    constexpr int kCalls = 10; // per sample, on each side
    const bool names = state.range(1) != 0;
    ini_test::TempDir dir;
    const std::string ours = dir.Path("ours.ini"), wine = dir.Path("wine.ini");
    const std::string text = FileOfSize(static_cast<std::size_t>(state.range(0)));
    ini_test::WriteFile(ours, text);
    ini_test::WriteFile(wine, text);
    LetSettle();
    Tolv_CIni ini(Programs());
    if (!OpenAsTheProgram(ini, ours)) {
        state.SkipWithError("no drive for the temporary directory");
        return;
    }
    // Tolv_CIni's buffers, on both sides.
    differential::Call call;
    call.op = names ? differential::Op::Names : differential::Op::Section;
    if (!names)
        call.a = differential::Text("Main");
    call.size = 32767;
    call.file = WinePath(wine);
    const std::vector<differential::Call> calls(kCalls, call);
    std::vector<double> mine, theirs;
    std::vector<std::string> keys, values;
    for (auto _ : state) {
        const bool wineFirst = mine.size() % 2 == 0;
        if (wineFirst && Wine())
            theirs.push_back(WineTime(calls) / kCalls);
        const auto start = Clock::now();
        for (int i = 0; i < kCalls; ++i) {
            if (!(names ? ini.Enum_SectionNames(keys) : ini.ReadSection("Main", keys, values)))
                state.SkipWithError("read failed");
        }
        mine.push_back(Since(start) / kCalls);
        if (!wineFirst && Wine())
            theirs.push_back(WineTime(calls) / kCalls);
    }
    state.SetLabel(names ? "Enum_SectionNames" : "ReadSection");
    state.counters["ours_us"] = turns::Median(mine);
    state.counters["spread"] = turns::Spread(mine);
    if (!theirs.empty()) {
        state.counters["wine_us"] = turns::Median(theirs);
        state.counters["turn_ratio"] = turns::TurnRatio(mine, theirs);
        state.counters["ratio_p10"] = turns::TurnRatioLow(mine, theirs);
        state.counters["ratio_p90"] = turns::TurnRatioHigh(mine, theirs);
    }
}
BENCHMARK(SectionCalls)
    ->Args({1 << 20, 0})
    ->Args({1 << 20, 1})
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void SetupOk(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string durable = dir.Path("durable.ini"), unflushed = dir.Path("unflushed.ini"),
                      wine = dir.Path("wine.ini");
    for (const auto& file : {durable, unflushed, wine})
        ini_test::WriteFile(file, EmulatorsFile());
    Tolv_CIni flushed(Programs(true)), quick(Programs(false));
    if (!OpenAsTheProgram(flushed, durable) || !OpenAsTheProgram(quick, unflushed)) {
        state.SkipWithError("no drive for the temporary directory");
        return;
    }
    const auto ok = [](Tolv_CIni& ini, long round) {
        const auto start = Clock::now();
        Ok(ini, round);
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
        state.counters["durable_ratio_p10"] = turns::TurnRatioLow(sure, theirs);
        state.counters["durable_ratio_p90"] = turns::TurnRatioHigh(sure, theirs);
        state.counters["unflushed_turn_ratio"] = turns::TurnRatio(fast, theirs);
        state.counters["unflushed_ratio_p10"] = turns::TurnRatioLow(fast, theirs);
        state.counters["unflushed_ratio_p90"] = turns::TurnRatioHigh(fast, theirs);
    }
}
BENCHMARK(SetupOk)->Iterations(300)->Unit(benchmark::kMillisecond);

constexpr std::string_view kOneOk = "--one-ok";
constexpr std::string_view kBareReplace = "--bare-replace";

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

// The child: one OK, its microseconds on a line.
int OneOk(const std::string& file, long round) {
    const auto heap = WindowLikeHeap();
    Tolv_CIni ini(Programs());
    if (!OpenAsTheProgram(ini, file))
        return 1;
    const auto start = Clock::now();
    if (!Ok(ini, round))
        return 1;
    std::printf("%.1f\n", Since(start));
    return 0;
}

// The child of the other side: the least a durable replacement of the file
// can do, the same heap first. Reads it in one call into memory it does not
// clear, writes it to a new file beside it, flushes that, renames it over the
// file and flushes the directory.
int BareReplace(const std::string& file) {
    const auto heap = WindowLikeHeap();
    const std::string temp = file + ".bare~";
    const std::string dir = std::filesystem::path(file).parent_path().string();
    const auto start = Clock::now();
    const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (in < 0 || ::fstat(in, &st) != 0)
        return 1;
    const auto size = static_cast<std::size_t>(st.st_size);
    const std::unique_ptr<char[]> bytes(new char[size]);
    const bool whole = ::read(in, bytes.get(), size) == static_cast<ssize_t>(size);
    ::close(in);
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = whole && out >= 0 && dirFd >= 0 &&
                    ::write(out, bytes.get(), size) == static_cast<ssize_t>(size) &&
                    ::fsync(out) == 0 && ::close(out) == 0 &&
                    ::rename(temp.c_str(), file.c_str()) == 0 && ::fsync(dirFd) == 0;
    if (dirFd >= 0)
        ::close(dirFd);
    if (!ok)
        return 1;
    std::printf("%.1f\n", Since(start));
    return 0;
}

enum class Side { Ours, OursUntrimmed, Bare };

// The microseconds of one OK in a fresh process, or of the bare replacement.
std::vector<double> FreshProcessOk(const std::string& file, long round, Side side) {
    static const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string command = side == Side::OursUntrimmed
                              ? "GLIBC_TUNABLES=glibc.malloc.trim_threshold=4294967295:"
                                "glibc.malloc.mmap_threshold=33554432 "
                              : "";
    command += "'" + self + "' " + std::string(side == Side::Bare ? kBareReplace : kOneOk) + " '" +
               file + "' " + std::to_string(round);
    std::vector<double> times;
    if (std::FILE* child = ::popen(command.c_str(), "r")) {
        for (double t; std::fscanf(child, "%lf", &t) == 1;)
            times.push_back(t);
        if (::pclose(child) != 0)
            times.clear();
    }
    return times;
}

void OkAsTheWindowPaysIt(benchmark::State& state) {
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::WriteFile(file, FileOfSize(static_cast<std::size_t>(state.range(0))));
    std::vector<double> times[3]; // by Side
    long round = 0;
    for (auto _ : state) {
        ++round;
        // Each side first and last in turn.
        for (long i = 0; i < 3; ++i) {
            const auto side = static_cast<Side>((i + round) % 3);
            const std::vector<double> took = FreshProcessOk(file, round, side);
            if (took.size() != 1) {
                state.SkipWithError("the OK failed");
                return;
            }
            times[static_cast<int>(side)].push_back(took.front());
        }
    }
    const auto& ours = times[static_cast<int>(Side::Ours)];
    const auto& held = times[static_cast<int>(Side::OursUntrimmed)];
    const auto& bare = times[static_cast<int>(Side::Bare)];
    state.counters["ok_ms"] = turns::Median(ours) / 1e3;
    state.counters["untrimmed_ok_ms"] = turns::Median(held) / 1e3;
    state.counters["bare_ms"] = turns::Median(bare) / 1e3;
    state.counters["turn_ratio"] = turns::TurnRatio(ours, bare);
    state.counters["ratio_p10"] = turns::TurnRatioLow(ours, bare);
    state.counters["ratio_p90"] = turns::TurnRatioHigh(ours, bare);
    state.counters["untrimmed_turn_ratio"] = turns::TurnRatio(ours, held);
}
BENCHMARK(OkAsTheWindowPaysIt)->Arg(1 << 20)->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && argv[1] == kOneOk)
        return OneOk(argv[2], std::strtol(argv[3], nullptr, 10));
    if (argc == 4 && argv[1] == kBareReplace)
        return BareReplace(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
