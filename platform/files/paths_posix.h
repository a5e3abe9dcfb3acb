#pragma once
#include "platform/files/paths.h"

namespace platform {

// The drives of a Wine prefix (its dosdevices links that lead to directories),
// followed by Z: for "/".
std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix);

} // namespace platform
