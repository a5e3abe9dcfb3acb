// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Runs the fuzz target over files and directories of inputs, for builds
// without libFuzzer: `make test` replays the seed corpus this way.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "ini/ini_test_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i]))
            inputs.emplace_back(argv[i]);
        else
            std::copy_if(fs::directory_iterator(argv[i]), {}, std::back_inserter(inputs),
                         [](const fs::directory_entry& e) { return e.is_regular_file(); });
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& path : inputs) {
        const std::string bytes = ini_test::ReadFile(path.string());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs passed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
