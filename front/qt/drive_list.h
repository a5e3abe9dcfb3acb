// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/lists.h"

#include <QComboBox>

namespace qtfront {

// The machine's drives in a drop-down list, shown like "z: [/]".
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(std::vector<platform::DriveInfo> drives, QWidget* parent = nullptr);

    char Drive() const { return rows_.Drive(); }
    // Shows a drive without telling anyone (start-up, or going back after a
    // failure). Going back from a drive that could not be read, the arrow
    // keys step over that drive the next time, so that it blocks no way.
    void SetDrive(char letter);

signals:
    void Change(); // the user chose another drive than the one shown

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    forms::DriveRows rows_;
    char refused_ = 0;
    bool changing_ = false;
};

} // namespace qtfront
