// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

// The emulator's 8.3-like form of a directory path ending in "\": every name of
// more than 8 characters becomes its first 6 characters and "~1". Purely textual.
std::string ShortPath(const std::string& path);
