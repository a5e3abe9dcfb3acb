// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

namespace platform {

// Where an application's settings live: $XDG_CONFIG_HOME/<application>.conf,
// by default in the home's .config; empty when the user has no home.
std::string SettingsFilePath(const std::string& application);

} // namespace platform
