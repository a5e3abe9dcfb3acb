// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"

namespace platform {

// The drives of a Wine prefix (its dosdevices links that lead to directories),
// followed by Z: for "/".
std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix);

} // namespace platform
