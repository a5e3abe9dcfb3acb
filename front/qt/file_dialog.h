// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

class QWidget;

namespace qtfront {

// The open-file dialog, owned by `owner`, shown with nothing set (no caption,
// filter, directory or file name). Gives the chosen file as a system path, or
// the empty text.
std::string ChooseFile(QWidget* owner);

} // namespace qtfront
