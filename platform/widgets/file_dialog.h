// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

namespace platform {

// The open-file dialog, shown with nothing set (no caption, filter, directory
// or file name). Gives the chosen file as a system path, or the empty text.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    virtual std::string ChooseFile() = 0;
};

OpenFileDialog& SystemFileDialog();

} // namespace platform
