// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/drive_list.h"
#include "platform/files/paths.h"

#include <QSignalBlocker>

namespace platform {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    for (const DriveInfo& drive : PathMap::System().Drives()) {
        QString text = QString(QChar::fromLatin1(drive.letter)).toLower() + QLatin1Char(':');
        if (!drive.label.empty()) {
            text += QStringLiteral(" [%1]").arg(QString::fromLocal8Bit(drive.label));
        }
        addItem(text, QVariant(static_cast<int>(drive.letter)));
    }
    shown_ = Drive();
    connect(this, &QComboBox::activated, this, [this](int) {
        if (Drive() != shown_) {
            shown_ = Drive();
            emit Change();
        }
    });
}

char DriveList::Drive() const {
    return static_cast<char>(currentData().toInt());
}

void DriveList::SetDrive(char letter) {
    const QSignalBlocker quiet(this);
    const int index = findData(QVariant(static_cast<int>(letter)));
    if (index >= 0) {
        setCurrentIndex(index);
        shown_ = letter;
    }
}

} // namespace platform
