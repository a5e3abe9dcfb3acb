// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/file_dialog.h"

#include "forms/lists.h"
#include "front/qt/task_bar.h"
#include "platform/files/paths.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFileDialog>
#include <QHash>
#include <QLineEdit>
#include <QListView>
#include <QUrl>

#include <functional>

namespace qtfront {

namespace {

// Where the dialog keeps each place's address, in its side bar and its
// "Look in" box alike.
constexpr int kUrlRole = Qt::UserRole + 1;

std::string SystemPath(const QString& native) {
    return platform::PathMap::System().ToSystem(QFile::encodeName(native).toStdString());
}

// The dialog names its places by their folders here, and names them afresh
// whenever it learns more of a folder; the names are put back each time.
void NameRows(QAbstractItemModel* places, QObject* context,
              std::function<QString(const QUrl&)> nameOf) {
    auto name = [places, nameOf] {
        for (int row = 0; row < places->rowCount(); ++row) {
            const QModelIndex at = places->index(row, 0);
            const QString wanted = nameOf(at.data(kUrlRole).toUrl());
            if (!wanted.isEmpty() && at.data(Qt::DisplayRole).toString() != wanted) {
                places->setData(at, wanted, Qt::DisplayRole);
            }
        }
    };
    name();
    QObject::connect(places, &QAbstractItemModel::dataChanged, context, name);
    QObject::connect(places, &QAbstractItemModel::rowsInserted, context, name);
}

// Qt's own dialog, on every desktop (a native one has no places to name),
// speaking the program's paths: its places are the drive list's drives, "Look
// in" names folders as "H:\Games", and a path typed that way is found.
class OpenDialog : public QFileDialog {
public:
    explicit OpenDialog(QWidget* owner) : QFileDialog(owner) {
        setOption(QFileDialog::DontUseNativeDialog);
        setFileMode(QFileDialog::ExistingFile);
        const std::vector<platform::DriveInfo>& drives = platform::PathMap::System().Drives();
        forms::DriveRows rows(drives);
        rows.ReadLabels(); // every drive is in sight at the dialog's side
        QList<QUrl> roots;
        QHash<QUrl, QString> driveNames;
        for (const platform::DriveInfo& drive : drives) {
            const QUrl root = QUrl::fromLocalFile(QFile::decodeName(drive.nativeRoot.c_str()));
            roots << root;
            driveNames.insert(root, QString::fromLocal8Bit(rows.Text(rows.RowOf(drive.letter))));
        }
        setSidebarUrls(roots);
        if (auto* side = findChild<QListView*>("sidebar"); side && side->model()) {
            NameRows(side->model(), this,
                     [driveNames](const QUrl& url) { return driveNames.value(url); });
        }
        if (auto* lookIn = findChild<QComboBox*>("lookInCombo"); lookIn && lookIn->model()) {
            NameRows(lookIn->model(), this, [](const QUrl& url) {
                return url.isLocalFile()
                           ? QString::fromLocal8Bit(SystemPath(url.toLocalFile()).c_str())
                           : QString();
            });
            // The dialog gives the folder's own path as the box's tip on each move.
            auto tip = [this, lookIn] {
                lookIn->setToolTip(
                    QString::fromLocal8Bit(SystemPath(directory().absolutePath()).c_str()));
            };
            tip();
            connect(this, &QFileDialog::directoryEntered, this, tip);
        }
    }

    void accept() override {
        auto* edit = findChild<QLineEdit*>("fileNameEdit");
        const std::string typed = edit ? edit->text().toLocal8Bit().toStdString() : std::string();
        if (typed.find('\\') != std::string::npos || (typed.size() >= 2 && typed[1] == ':')) {
            const std::string native = platform::PathMap::System().ToNative(InFull(typed));
            if (!native.empty()) {
                edit->setText(QFile::decodeName(native.c_str()));
            }
        }
        QFileDialog::accept();
    }

private:
    // A typed path in full: "x.pce" or "Games\x.pce" from the open folder,
    // "\Games" from its drive's root, "D:x.pce" from the open folder when it
    // is on D: and from D:'s root otherwise, as a program's current folders go.
    std::string InFull(const std::string& typed) const {
        std::string here = SystemPath(directory().absolutePath());
        const char drive = platform::DriveLetterOf(typed);
        const std::string rest = drive ? typed.substr(2) : typed;
        if (rest.starts_with('\\')) {
            return (drive ? typed.substr(0, 2) : here.substr(0, 2)) + rest;
        }
        if (drive && drive != platform::DriveLetterOf(here)) {
            return typed.substr(0, 2) + '\\' + rest;
        }
        if (here.back() != '\\') {
            here += '\\';
        }
        return here + rest;
    }
};

} // namespace

std::string ChooseFile(QWidget* owner) {
    OpenDialog dialog(owner);
    KeepOffTaskBar(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return SystemPath(dialog.selectedFiles().front());
}

} // namespace qtfront
