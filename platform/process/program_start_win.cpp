// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/process/program_start.h"

#include <vector>

namespace platform {
namespace {

class WindowsStarter final : public ProgramStarter {
public:
    StartResult Start(const std::string& commandLine) override {
        // The emulator would start and then find no such file: say why now.
        if (LacksCodePageCharacters(commandLine)) {
            return {false, kLackedCharacters};
        }
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return {false, SystemReason(GetLastError())};
        }
        // The emulator lives on its own: keep nothing of it.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return {};
    }
};

} // namespace

ProgramStarter& SystemStarter() {
    static WindowsStarter starter;
    return starter;
}

} // namespace platform
