// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QListView>
#include <string>

namespace qtfront {

// A single-selection list box that behaves like the system's own: a navigation
// key (Home, End, the arrows, Page Up and Down) always selects the item under
// the caret, even when the caret does not move, so that Tab into a list and
// Home selects its first item. Typing a letter moves to the next item that
// starts with it. The caret is drawn while the list has the focus.
//
// Its rows are names kept as their exact bytes elsewhere and decoded only as
// they are drawn or searched, so that filling a list costs no more than the names.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int count() const { return RowCount(); }
    QString Text(int row) const; // as shown
    QModelIndex Row(int row) const;
    // The highlighted row (the caret), -1 when there is none.
    int CurrentRow() const;
    // Highlights and selects a row, as a click does.
    void SetCurrentRow(int row);
    int SelectedRow() const; // -1 when none is selected

    virtual int RowCount() const = 0;
    virtual const std::string& Name(int row) const = 0;
    // What a row shows in a role; by default its name, decoded.
    virtual QVariant RowData(int row, int role) const;
    // Its place in a tree: 0 unless indented.
    virtual int Level(int /*row*/) const { return 0; }

protected:
    // The rows changed all at once; nothing is selected afterwards.
    void Refill();
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rows;
    Rows* rows_;
};

} // namespace qtfront
