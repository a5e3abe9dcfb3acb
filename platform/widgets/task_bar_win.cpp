// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/task_bar.h"

namespace platform {

// A tool window (WS_EX_TOOLWINDOW, what Qt::Tool gives) has no task-bar button.
void KeepOutOfTaskBar(QWidget* /*window*/) {}

} // namespace platform
