// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "ini/ini_test_files.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace ini_test {

// Native paths are system paths here.
platform::ProfileFunctions& Profile() {
    return platform::SystemProfile();
}

bool UnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

} // namespace ini_test
