// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QListWidget>

namespace platform {

// A single-selection list box that behaves like the system's own: a navigation
// key (Home, End, the arrows, Page Up and Down) always selects the item under
// the caret, even when the caret does not move, so that Tab into a list and
// Home selects its first item. Typing a letter moves to the next item that
// starts with it.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace platform
