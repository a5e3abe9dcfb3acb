// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/lists.h"
#include "front/qt/after_paint.h"

#include <QComboBox>

namespace qtfront {

// The machine's drives in a drop-down list, shown like "z: [/]".
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(std::vector<platform::DriveInfo> drives, QWidget* parent = nullptr);

    forms::DriveRows& rows() { return rows_; }
    char Drive() const { return rows_.Drive(); }
    // Shows a drive without telling anyone (start-up, or going back after a failure).
    void SetDrive(char letter);
    // Each row's text as the rows give it now, labels read since included.
    void Relabel();

signals:
    void Chosen(int row);
    void Step(int step); // Up (-1) or Down (1) on the closed list

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showPopup() override;
    void paintEvent(QPaintEvent* event) override;

private:
    forms::DriveRows rows_;
    AfterPaint label_; // the shown drive's, read once the window is painted
};

} // namespace qtfront
