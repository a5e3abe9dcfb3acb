// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once

class QWidget;

namespace qtfront {

// Asks the window manager to give this top-level window no task-bar button,
// and to offer neither resizing nor maximising it.
// Call it each time the window is about to be shown (its show event), before
// it is mapped: a window manager reads the request then, and drops it when
// the window is hidden.
void MarkFixedDialog(QWidget* window);

// The same for a window the program shows over its own (a message box, the
// open-file dialog) that stays resizable if it is: no task-bar button of its
// own, asked for each time it is shown.
void KeepOffTaskBar(QWidget* window);

} // namespace qtfront
