// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/drive_list.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <utility>

namespace qtfront {

DriveList::DriveList(std::vector<platform::DriveInfo> drives, QWidget* parent)
    : QComboBox(parent), rows_(std::move(drives)) {
    for (int row = 0; row < rows_.Count(); ++row) {
        addItem(QString::fromLocal8Bit(rows_.Text(row)));
    }
    connect(this, &QComboBox::activated, this, &DriveList::Chosen);
}

void DriveList::SetDrive(char letter) {
    const QSignalBlocker quiet(this);
    rows_.Show(letter);
    Relabel();
    const int row = rows_.RowOf(rows_.Drive());
    if (row >= 0) {
        setCurrentIndex(row);
    }
}

void DriveList::Relabel() {
    for (int row = 0; row < rows_.Count(); ++row) {
        const QString text = QString::fromLocal8Bit(rows_.Text(row));
        if (itemText(row) != text) {
            setItemText(row, text);
        }
    }
}

void DriveList::showPopup() {
    rows_.ReadLabels();
    Relabel();
    QComboBox::showPopup();
}

void DriveList::paintEvent(QPaintEvent* event) {
    QComboBox::paintEvent(event);
    label_.Ask(this, [this] {
        if (rows_.ReadShownLabel()) {
            Relabel();
        }
    });
}

void DriveList::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
    if (step != 0 && !(event->modifiers() & Qt::AltModifier)) {
        emit Step(step);
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace qtfront
