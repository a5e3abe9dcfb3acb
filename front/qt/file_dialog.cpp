// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/file_dialog.h"

#include "platform/files/paths.h"

#include <QFileDialog>

namespace qtfront {

std::string ChooseFile(QWidget* owner) {
    const QString chosen = QFileDialog::getOpenFileName(owner);
    if (chosen.isEmpty()) {
        return {};
    }
    return platform::PathMap::System().ToSystem(QFile::encodeName(chosen).toStdString());
}

} // namespace qtfront
