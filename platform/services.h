// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/process/program_start.h"
#include "platform/settings/settings.h"
#include "platform/widgets/file_dialog.h"

namespace platform {

// The operating-system effects the windows need, in one place so that tests
// can hand in substitutes.
struct Services {
    SettingsStore& settings;
    ProgramStarter& starter;
    OpenFileDialog& fileDialog;
};

Services SystemServices();

} // namespace platform
