// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/drive_list.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace qtfront {

DriveList::DriveList(std::vector<platform::DriveInfo> drives, QWidget* parent)
    : QComboBox(parent), rows_(std::move(drives)) {
    for (int row = 0; row < rows_.Count(); ++row) {
        addItem(QString::fromLocal8Bit(rows_.Text(row)));
    }
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (rows_.Choose(row)) {
            refused_ = 0;
            changing_ = true;
            emit Change();
            changing_ = false;
        }
    });
}

void DriveList::SetDrive(char letter) {
    const QSignalBlocker quiet(this);
    const char chosen = rows_.Drive();
    rows_.Show(letter);
    if (changing_ && chosen != letter) {
        refused_ = chosen; // the drive just chosen could not be read
    }
    const int row = rows_.RowOf(rows_.Drive());
    if (row >= 0) {
        setCurrentIndex(row);
    }
}

void DriveList::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
    const int next = currentIndex() + step;
    if (step != 0 && refused_ != 0 && next >= 0 && next < count() &&
        rows_.Letter(next) == refused_) {
        const int beyond = next + step;
        if (beyond >= 0 && beyond < count()) {
            setCurrentIndex(beyond);
            emit activated(beyond);
        }
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace qtfront
