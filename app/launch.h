// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

// The emulator's command line for an image: "<dir>hu-go!.exe <short dir>\\<name>"
// for pce and zip images, with " -c2 -i" in place of the blank for iso images.
// Empty when the image's last three characters name neither (the test is exact
// and case-sensitive: "game.Pce" starts nothing).
std::string LaunchCommandLine(const std::string& emulatorDir, const std::string& imageDir,
                              const std::string& imageName);
