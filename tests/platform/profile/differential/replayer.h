// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdio>
#include <string>
#include <sys/types.h>

namespace differential {

// The Windows replayer started once under Wine, asked one call line at a time.
class Replayer {
public:
    Replayer(const std::string& wineRun, const std::string& exe, const std::string& prefix);
    ~Replayer();
    Replayer(const Replayer&) = delete;
    Replayer& operator=(const Replayer&) = delete;

    bool Running() const { return from_ != nullptr; }
    // Sends the line and returns the answer without its line end; false when
    // the replayer has gone.
    bool Ask(const std::string& line, std::string& answer);

private:
    pid_t pid_ = -1;
    std::FILE* to_ = nullptr;
    std::FILE* from_ = nullptr;
};

} // namespace differential
