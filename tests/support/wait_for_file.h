// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

// What a started program recorded, once it has: waits up to ten seconds for
// the file to hold something. A file seen the instant it appears, or still
// shared by its writer, reads empty on some systems.
inline std::string WaitForFile(const std::filesystem::path& file) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        if (std::filesystem::exists(file)) {
            std::ifstream in(file, std::ios::binary);
            std::stringstream read;
            read << in.rdbuf();
            text = read.str();
            if (!text.empty()) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return text;
}
