// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Start-up to the last painted control on Windows: vorlanes.exe against a
// bare window of the same size and controls, started in turns in the same
// run, each first every other turn. A start ends when the program's window is
// shown and neither it nor any of its controls has anything left to paint.
// Goal: within 1.05 times the bare window (medians). Under Wine, on a display:
//   wine64 startup_bench_win.exe [ROUNDS]
#include "bench/turns.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == search->process && IsWindowVisible(hwnd) && GetMenu(hwnd) != nullptr) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK UnpaintedChild(HWND hwnd, LPARAM lParam) {
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the window and every control in it have painted all they show.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    EnumChildWindows(window, UnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Milliseconds from starting `program` to its main window and controls painted.
double StartUp(const std::string& program) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    Search search{process.dwProcessId, nullptr};
    for (;;) {
        if (!search.found) {
            EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        }
        if (search.found && Painted(search.found)) {
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended before showing its window\n", program.c_str());
            std::exit(1);
        }
        Sleep(1); // a busy wait took the processor and the server from the start timed
    }
    QueryPerformanceCounter(&end);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The program beside this benchmark.
std::string Beside(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const std::string program = argc > 2 ? argv[2] : Beside("vorlanes.exe");
    const std::string bare = Beside("bare_window_win.exe");
    StartUp(bare); // the first start of all loads what both share
    std::vector<double> ours, theirs;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            theirs.push_back(StartUp(bare));
        }
        ours.push_back(StartUp(program));
        if (i % 2 != 0) {
            theirs.push_back(StartUp(bare));
        }
    }
    const double a = turns::Median(ours);
    const double b = turns::Median(theirs);
    std::printf("start-up to the last painted control, median of %d: vorlanes.exe %.1f ms, bare "
                "window %.1f ms, turn ratio %.2f (p10 %.2f, p90 %.2f; goal <= 1.05)\n",
                rounds, a, b, turns::TurnRatio(ours, theirs), turns::TurnRatioLow(ours, theirs),
                turns::TurnRatioHigh(ours, theirs));
    return 0;
}
