// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "ini/ini_test_files.h"
#include "platform/profile/profile_posix.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace ini_test {

namespace {

std::string KeptDir() {
    return (std::filesystem::temp_directory_path() /
            ("vorlanes-test-kept-" + std::to_string(::geteuid())))
        .string();
}

} // namespace

// Native paths pass through unchanged, so tests need no drive mapping; old
// text kept aside goes to a scratch folder of each user, not their own state.
platform::ProfileFunctions& Profile() {
    static platform::PosixProfile profile([](const std::string& name) { return name; },
                                          [] { return KeptDir(); });
    return profile;
}

bool UnderWine() {
    return false;
}

} // namespace ini_test
