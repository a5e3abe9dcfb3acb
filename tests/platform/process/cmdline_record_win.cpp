// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// A stand-in emulator: writes the command line it was started with, byte for
// byte, to the file that VORLANES_RECORD names (through a temporary file, so a
// reader never sees half of it).
#include "support/record_win.h"

int main() {
    return WriteRecord(GetCommandLineA());
}
