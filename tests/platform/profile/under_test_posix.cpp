// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "ini/ini_test_files.h"
#include "platform/profile/profile_posix.h"

namespace ini_test {

// Native paths pass through unchanged, so tests need no drive mapping.
platform::ProfileFunctions& Profile() {
    static platform::PosixProfile profile([](const std::string& name) { return name; });
    return profile;
}

bool UnderWine() {
    return false;
}

} // namespace ini_test
