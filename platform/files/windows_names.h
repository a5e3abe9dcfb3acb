// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Why Windows keeps no file of this name, whatever lets one exist (Wine, a
// disc, a network share): a character it forbids, a device name such as CON
// with any extension, or a name ending in a dot or blank, which it drops.
// Empty when it can.
std::string WhyNotAWindowsName(std::string_view name);

// The same, by `why`, for every name of a system path below its drive: the
// first name that fails, and why, as a sentence. Empty when none does.
using NameRule = std::string (*)(std::string_view name);
std::string WhyANameInThePath(std::string_view systemPath, NameRule why = WhyNotAWindowsName);

} // namespace platform
