// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/file_list.h"
#include "platform/files/dir_listing.h"

namespace platform {

FileList::FileList(QWidget* parent) : ListBox(parent) {}

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
    SetRows(MatchingFiles(listing, pattern_));
}

std::string FileList::FileName() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : Name(row);
}

} // namespace platform
