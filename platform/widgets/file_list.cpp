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
    Show(systemPath, listing);
    return true;
}

void FileList::Show(const std::string& systemPath, const Listing& listing) {
    path_ = systemPath;
    names_ = MatchingFiles(listing, pattern_);
    // Shown decoded (a stray byte as a replacement character), kept as bytes.
    // All rows in one insertion: one item added at a time costs time in
    // proportion to the rows already there.
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(names_.size()));
    for (const std::string& name : names_) {
        shown << QString::fromLocal8Bit(name);
    }
    setUpdatesEnabled(false);
    clear();
    addItems(shown);
    setUpdatesEnabled(true);
}

std::string FileList::FileName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return {};
    }
    const int selectedRow = row(selected.first());
    return selectedRow >= 0 && static_cast<std::size_t>(selectedRow) < names_.size()
               ? names_[static_cast<std::size_t>(selectedRow)]
               : std::string();
}

} // namespace platform
