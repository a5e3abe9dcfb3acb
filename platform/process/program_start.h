// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

namespace platform {

struct StartResult {
    bool ok = true;
    std::string reason; // the system's reason when the program could not be started
};

// Starts a program from one command line, shown normally with the focus, and
// returns at once: the started program is neither waited for nor watched.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual StartResult Start(const std::string& commandLine) = 0;
};

ProgramStarter& SystemStarter();

} // namespace platform
