// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Any settings file through the stored emulator directory's read, then any
// directory through its save: nothing may crash, hang or overflow, and a
// directory saved reads back byte for byte.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>

#include "location/emulator_location.h"
#include "platform/settings/settings.h"
#include "support/fuzz.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok, const char* what) {
    FuzzCheck(ok, "fuzz_setting", what);
}

const fs::path& Dir() {
    static const fs::path dir = FuzzScratch() / ("setting-" + std::to_string(::getpid()));
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte says how much of the rest is the file; what follows is
    // the directory to save.
    const std::size_t split = size == 0 ? 0 : std::min<std::size_t>(data[0] * 4u, size - 1);
    const char* rest = reinterpret_cast<const char*>(data) + (size == 0 ? 0 : 1);
    const std::string file(rest, split);
    const std::string dir(rest + split, size == 0 ? 0 : size - 1 - split);

    std::error_code ignored;
    fs::remove_all(Dir(), ignored);
    fs::create_directories(Dir());
    std::ofstream(Dir() / "Vorlanes.conf", std::ios::binary) << file;
    ::setenv("XDG_CONFIG_HOME", Dir().c_str(), 1);
    platform::SettingsStore& store = platform::SystemSettings();
    location::ReadEmulatorDir(store);
    const platform::SaveResult saved = location::SaveEmulatorDir(store, dir);
    Check(saved.ok != !saved.reason.empty(), "a failed save gives no reason, or a good one does");
    if (saved.ok)
        Check(location::ReadEmulatorDir(store) == dir, "a saved directory reads back otherwise");
    return 0;
}
