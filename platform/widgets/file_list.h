// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/dir_listing.h"
#include "platform/widgets/list_box.h"

#include <string>

namespace platform {

// The files of one directory that match a pattern of masks separated by ";"
// (regardless of case), in name order. Names are kept as their exact bytes.
class FileList : public ListBox {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    void SetPattern(const std::string& pattern) { pattern_ = pattern; }
    const std::string& Pattern() const { return pattern_; }

    const std::string& Path() const { return path_; }
    // Lists a directory afresh, nothing selected; on failure nothing changes.
    bool SetPath(const std::string& systemPath, std::string* error = nullptr);
    // Shows a directory already listed (by the directory list), nothing selected.
    void Show(const std::string& systemPath, const Listing& listing);

    // The selected bare file name, empty when none is selected.
    std::string FileName() const;

private:
    std::string path_;
    std::string pattern_ = "*.*";
};

} // namespace platform
