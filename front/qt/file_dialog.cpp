// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/file_dialog.h"

#include "forms/lists.h"
#include "front/qt/task_bar.h"
#include "platform/files/paths.h"

#include <QAbstractItemModel>
#include <QFileDialog>
#include <QHash>
#include <QListView>
#include <QUrl>

namespace qtfront {

namespace {

// Where the dialog keeps each place's address.
constexpr int kUrlRole = Qt::UserRole + 1;

// The places at the dialog's side are named as the drive list names them
// ("k: [label]"), not by their folders here. The dialog names them afresh
// whenever it learns more of a folder, so the names are put back each time.
void NameDrives(QFileDialog& dialog, const std::vector<platform::DriveInfo>& drives) {
    auto* side = dialog.findChild<QListView*>("sidebar");
    if (side == nullptr || side->model() == nullptr) {
        return;
    }
    const forms::DriveRows rows(drives);
    QHash<QUrl, QString> names;
    for (const platform::DriveInfo& drive : drives) {
        names.insert(QUrl::fromLocalFile(QFile::decodeName(drive.nativeRoot.c_str())),
                     QString::fromLocal8Bit(rows.Text(rows.RowOf(drive.letter))));
    }
    QAbstractItemModel* places = side->model();
    auto name = [places, names] {
        for (int row = 0; row < places->rowCount(); ++row) {
            const QModelIndex at = places->index(row, 0);
            const auto it = names.find(at.data(kUrlRole).toUrl());
            if (it != names.end() && at.data(Qt::DisplayRole).toString() != *it) {
                places->setData(at, *it, Qt::DisplayRole);
            }
        }
    };
    name();
    QObject::connect(places, &QAbstractItemModel::dataChanged, &dialog, name);
}

} // namespace

std::string ChooseFile(QWidget* owner) {
    QFileDialog dialog(owner);
    // Qt's own dialog, on every desktop: a native one has no places to name.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const std::vector<platform::DriveInfo> drives = platform::PathMap::System().Drives();
    QList<QUrl> roots;
    for (const platform::DriveInfo& drive : drives) {
        roots << QUrl::fromLocalFile(QFile::decodeName(drive.nativeRoot.c_str()));
    }
    dialog.setSidebarUrls(roots);
    NameDrives(dialog, drives);
    KeepOffTaskBar(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return platform::PathMap::System().ToSystem(
        QFile::encodeName(dialog.selectedFiles().front()).toStdString());
}

} // namespace qtfront
