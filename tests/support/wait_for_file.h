// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

// What a started program recorded: up to ten seconds for the file to hold
// something, since one seen the instant it appears can read empty.
inline std::string WaitForFile(const std::filesystem::path& file) {
    std::string text;
    for (int i = 0; i < 1000 && text.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 0 : 10));
        std::stringstream read;
        read << std::ifstream(file, std::ios::binary).rdbuf();
        text = read.str();
    }
    return text;
}
