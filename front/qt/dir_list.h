// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/lists.h"
#include "front/qt/after_paint.h"
#include "front/qt/list_box.h"

#include <QIcon>

namespace qtfront {

// The directory list: the chain from the drive's root to the open directory
// (open folders, the open one tinted), then its subdirectories (closed
// folders). Opening an entry (double-click or Enter) is the user's choice, told
// by Chosen; highlighting one is not.
class DirList : public ListBox {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    forms::DirRows& rows() { return rows_; }
    const forms::DirRows& rows() const { return rows_; }
    // The rows have opened another directory.
    void Shown();

    int RowCount() const override { return rows_.Count(); }
    const std::string& Name(int row) const override { return rows_.Name(row); }
    int Level(int row) const override { return rows_.Level(row); }
    QVariant RowData(int row, int role) const override;

signals:
    void Chosen(int row);
    // The first rows of a large directory have been painted: the rest is wanted.
    void RestWanted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    forms::DirRows rows_;
    QIcon openIcon_;
    QIcon closedIcon_;
    AfterPaint rest_; // of a large directory, read once its first rows are painted
};

} // namespace qtfront
