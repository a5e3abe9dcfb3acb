// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QComboBox>

namespace platform {

// The machine's drives, shown like "z: [/]": the letter, then the native root
// or the volume label.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    char Drive() const; // upper-case letter
    // Shows a drive without telling anyone (start-up, or going back after a failure).
    void SetDrive(char letter);

signals:
    void Change(); // the user chose another drive

private:
    char shown_ = 0; // the drive the lists show; choosing it again changes nothing
};

} // namespace platform
