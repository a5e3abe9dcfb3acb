// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"
#include "platform/process/program_start.h"
#include "platform/profile/profile.h"
#include "platform/settings/settings.h"

namespace platform {

// The operating-system effects the windows' handlers need, in one place so that
// tests can hand in substitutes.
struct Services {
    SettingsStore& settings;
    ProgramStarter& starter;
    const PathMap& paths;
    ProfileFunctions& profile;
};

Services SystemServices();

} // namespace platform
