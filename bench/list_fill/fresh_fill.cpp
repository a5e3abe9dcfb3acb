// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// One fill of a directory in a process of its own, as the first one after the
// start: "rows DIR" opens it as the lists do (the directory list's rows, then
// the file list's from the same listing), "bare DIR" scans it bare. Prints the
// seconds it took and how many files it shows.
#include "bench/list_fill/bare_scan.h"
#include "forms/lists.h"
#include "platform/files/paths.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fresh_fill rows|bare DIR\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string native = argv[2];
    const std::string path = platform::PathMap::System().ToSystem(native); // made at start-up
    const auto start = std::chrono::steady_clock::now();
    std::size_t files = 0;
    if (mode == "rows") {
        forms::DirRows dirs;
        forms::FileRows list("*.pce;*.zip;*.iso");
        if (!dirs.Open(path, nullptr)) {
            return 1;
        }
        list.Show(dirs.Path(), dirs.Contents());
        files = static_cast<std::size_t>(list.Count());
    } else {
        files = BareScan(native, false).size();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.9f %zu\n", took.count(), files);
    return 0;
}
