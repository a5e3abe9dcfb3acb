// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"
#include "platform/settings/settings.h"

#include <functional>
#include <string>

// Where the emulator is installed: one per-user entry, a short path ending in "\".
namespace location {

inline constexpr const char* kApplication = "Vorlanes";
inline constexpr const char* kSection = "HuGo";
inline constexpr const char* kKey = "Path";

// The stored directory, or the empty text when none has been chosen.
std::string ReadEmulatorDir(platform::SettingsStore& store);
platform::SaveResult SaveEmulatorDir(platform::SettingsStore& store, const std::string& dir);

// What the path dialog stores for the text the user typed or browsed: a
// trailing "\", then the short path form (by `shortPath`), ending in "\".
using ShortPathFunction = std::function<std::string(const std::string&)>;
std::string StoredForm(const std::string& typed, const ShortPathFunction& shortPath);

// What to store for the directory the user typed or browsed, whose short form
// is `shortForm`: that form when `reader` finds the directory through it,
// otherwise a form that does lead there.
std::string FormLeadingThere(const platform::PathMap& paths, const std::string& typed,
                             const std::string& shortForm, platform::PathMap::Reader reader);

} // namespace location
