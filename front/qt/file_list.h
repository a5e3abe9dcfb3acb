// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/lists.h"
#include "front/qt/list_box.h"

namespace qtfront {

// The files of one directory that match the list's pattern, in name order.
class FileList : public ListBox {
    Q_OBJECT
public:
    explicit FileList(std::string pattern, QWidget* parent = nullptr);

    const forms::FileRows& rows() const { return rows_; }
    // Shows a directory already listed, nothing selected.
    void Show(const std::string& systemPath, std::shared_ptr<const platform::Listing> listing);
    // Shows the whole of a directory whose first entries it showed, keeping
    // the selected file selected.
    void Grow(const forms::DirRows& dirs, const platform::Listing& was);
    // The selected bare file name, empty when none is selected.
    std::string FileName() const;

    int RowCount() const override { return rows_.Count(); }
    const std::string& Name(int row) const override { return rows_.Name(row); }

private:
    forms::FileRows rows_;
};

} // namespace qtfront
