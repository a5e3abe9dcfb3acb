// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/file_dialog.h"

#include "front/qt/task_bar.h"
#include "platform/files/paths.h"

#include <QFileDialog>
#include <QUrl>

namespace qtfront {

// The program's drives stand at the dialog's side, where it shows places.
std::string ChooseFile(QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QList<QUrl> drives;
    for (const platform::DriveInfo& drive : platform::PathMap::System().Drives()) {
        drives << QUrl::fromLocalFile(QFile::decodeName(drive.nativeRoot.c_str()));
    }
    dialog.setSidebarUrls(drives);
    KeepOffTaskBar(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return platform::PathMap::System().ToSystem(
        QFile::encodeName(dialog.selectedFiles().front()).toStdString());
}

} // namespace qtfront
