// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"

#include <string>
#include <vector>

namespace platform {

// The Wine prefix in use: $WINEPREFIX, or ~/.wine; empty when neither is known.
std::string WinePrefixDir();

// The drives of a Wine prefix (its dosdevices links, each where it says it
// leads), followed by Z: for "/".
std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix);

// Short forms are resolved over cached directory listings, each re-read when its
// directory changes; this drops them all.
void ForgetDirectoryListings();

// The long form of a system path that leads to an existing file or directory:
// every component its real name, on the drive it was written with
// ("H:\Games\PC Eng~1\\a.pce" -> "H:\Games\PC Engine Collection\a.pce"). Empty
// when nothing exists there. Relative paths stay relative.
std::string LongSystemPath(const PathMap& map, const std::string& systemPath);

// When a short form in `systemPath` could stand for several long names that
// neither the rest of the path nor their age tells apart: why, naming each
// folder it could mean. Empty otherwise.
std::string WhyShortFormIsAmbiguous(const PathMap& map, const std::string& systemPath);

} // namespace platform
