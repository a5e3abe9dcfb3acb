// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/services.h"

namespace platform {

Services SystemServices() {
    return {SystemSettings(), SystemStarter(), PathMap::System(), SystemProfile()};
}

} // namespace platform
