// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once

class QMenuBar;

namespace qtfront {

// Alt alone and F10 highlight the menu bar's first menu, as in the system's
// own windows; the arrows then move along it and Down or Enter opens a menu.
void ReachMenuBarByKeyboard(QMenuBar* bar);

} // namespace qtfront
