// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/file_list.h"
#include "platform/files/dir_listing.h"

namespace platform {

FileList::FileList(QWidget* parent) : ListBox(parent) {
    setUniformItemSizes(true);
}

bool FileList::SetPath(const std::string& systemPath, std::string* error) {
    const Listing listing = ListDirectory(systemPath);
    if (!listing.ok) {
        if (error) {
            *error = listing.error;
        }
        return false;
    }
    path_ = systemPath;
    setUpdatesEnabled(false);
    clear();
    for (const std::string& name : MatchingFiles(listing, pattern_)) {
        // Shown decoded (a stray byte as a replacement character), kept as bytes.
        auto* item = new QListWidgetItem(QString::fromLocal8Bit(name), this);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    setUpdatesEnabled(true);
    return true;
}

std::string FileList::FileName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return {};
    }
    return selected.first()->data(Qt::UserRole).toByteArray().toStdString();
}

} // namespace platform
