// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/files/paths_win.h"
#include "platform/process/program_start.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

std::string WithSeparator(std::string path) {
    return !path.empty() && path.back() != '\\' ? path + '\\' : path;
}

// The line with each known directory written so that it leads there: as it
// stands when it does; else the system's short name, when that has no blank;
// else the long name. The emulator splits its arguments at blanks, so an
// argument that then holds one is quoted whole: it names one file.
std::string LineThatLeads(const std::string& commandLine, std::vector<KnownDirectory> known) {
    std::string line = commandLine;
    std::sort(known.begin(), known.end(), [](const KnownDirectory& a, const KnownDirectory& b) {
        return a.begin > b.begin; // from the back, so that earlier places stay put
    });
    for (const KnownDirectory& k : known) {
        if (k.begin == 0 || k.begin > k.end || k.end > line.size()) {
            continue;
        }
        const std::optional<FileIdentity> directory = IdentityOf(k.directory);
        std::string form = line.substr(k.begin, k.end - k.begin);
        if (!directory || IdentityOf(form) != directory) {
            const std::string system = WithSeparator(SystemShortName(k.directory));
            form = !system.empty() && system.find(' ') == std::string::npos
                       ? system
                       : WithSeparator(k.directory);
        }
        line.replace(k.begin, k.end - k.begin, form);
        const std::size_t argument = line.rfind(' ', k.begin - 1) + 1; // after any option
        std::string rest = line.substr(argument);
        if (rest.find_first_of(" \t") != std::string::npos) {
            // Backslashes before the closing quote would escape it: doubled, they stay.
            const std::size_t trailing = rest.size() - rest.find_last_not_of('\\') - 1;
            line.replace(argument, std::string::npos,
                         '"' + rest + std::string(trailing, '\\') + '"');
        }
    }
    return line;
}

class WindowsStarter final : public ProgramStarter {
public:
    using ProgramStarter::Start;
    StartResult Start(const std::string& commandLine,
                      const std::vector<KnownDirectory>& known) override {
        const std::string leading = LineThatLeads(commandLine, known);
        // The emulator would start and then find no such file: say why now.
        if (LacksCodePageCharacters(leading)) {
            return {false, kLackedCharacters};
        }
        std::vector<char> line(leading.begin(), leading.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            const DWORD error = GetLastError();
            return {false, SystemReason(error),
                    error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND};
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
