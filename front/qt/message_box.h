// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QString>

class QWidget;

namespace qtfront {

// Tells the user about a failure in a message box owned by `parent`.
void ShowMessage(QWidget* parent, const QString& title, const QString& text);

// Asks a question with Yes and No; true for Yes.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

} // namespace qtfront
