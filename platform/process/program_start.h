// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

struct StartResult {
    bool ok = true;
    std::string reason;          // the system's reason when the program could not be started
    bool programMissing = false; // because no file of that name was found
};

// A stretch of a command line's last argument that the caller wrote for a
// directory it knows in full: the line's characters [begin, end) stand for
// `directory` (its long form, ending in "\"), and what follows them up to the
// end of the line is a name in that directory. The written text may be a short
// form that leads elsewhere, or nowhere, on this system.
struct KnownDirectory {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string directory;
};

// Starts a program from one command line, shown normally with the focus, and
// returns at once: the started program is neither waited for nor watched.
// Where a known directory's text would not lead the program there, it is handed
// a form that does.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual StartResult Start(const std::string& commandLine,
                              const std::vector<KnownDirectory>& known) = 0;
    StartResult Start(const std::string& commandLine) { return Start(commandLine, {}); }
};

ProgramStarter& SystemStarter();

} // namespace platform
