// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/file_list.h"

namespace qtfront {

FileList::FileList(std::string pattern, QWidget* parent)
    : ListBox(parent), rows_(std::move(pattern)) {}

void FileList::Show(const std::string& systemPath,
                    std::shared_ptr<const platform::Listing> listing) {
    rows_.Show(systemPath, std::move(listing));
    Refill();
}

void FileList::Grow(const forms::DirRows& dirs, const platform::Listing& was) {
    int selected = SelectedRow();
    if (rows_.Grow(dirs, was, &selected)) {
        Refill();
        if (selected >= 0) {
            SetCurrentRow(selected);
        }
    }
}

std::string FileList::FileName() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : Name(row);
}

} // namespace qtfront
