// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/process/program_start.h"

#include <string>

// The emulator's command line for an image: "<dir>hu-go!.exe <short dir>\\<name>"
// for pce and zip images, with " -c2 -i" in place of the blank for iso images.
// Empty when the image's last three characters name neither (the test is exact
// and case-sensitive: "game.Pce" starts nothing).
// `image`, when given, gets where the short directory stands in the line and
// the image's directory in full, so that the starter can lead the emulator
// there when the short form does not.
std::string LaunchCommandLine(const std::string& emulatorDir, const std::string& imageDir,
                              const std::string& imageName,
                              platform::KnownDirectory* image = nullptr);
