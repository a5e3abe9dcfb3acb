// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QListView>
#include <string>
#include <vector>

namespace platform {

// A single-selection list box that behaves like the system's own: a navigation
// key (Home, End, the arrows, Page Up and Down) always selects the item under
// the caret, even when the caret does not move, so that Tab into a list and
// Home selects its first item. Typing a letter moves to the next item that
// starts with it.
//
// Its rows are names kept as their exact bytes and decoded only as they are
// drawn or searched, so that filling a list costs no more than the names.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int count() const;
    QString Text(int row) const; // as shown
    QModelIndex Row(int row) const;
    // The highlighted row (the caret), -1 when there is none.
    int CurrentRow() const;
    // Highlights and selects a row, as a click does.
    void SetCurrentRow(int row);
    int SelectedRow() const; // -1 when none is selected

protected:
    // Replaces every row at once; nothing is selected afterwards.
    void SetRows(std::vector<std::string> names);
    const std::string& Name(int row) const;
    // What a row shows in a role; by default its name, decoded (a stray byte as
    // a replacement character).
    virtual QVariant RowData(int row, int role) const;

    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rows;
    Rows* rows_;
};

} // namespace platform
