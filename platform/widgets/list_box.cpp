// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/list_box.h"

#include <QAbstractListModel>
#include <QKeyEvent>

namespace platform {
namespace {
bool IsNavigation(int key) {
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}
} // namespace

class ListBox::Rows : public QAbstractListModel {
public:
    explicit Rows(ListBox* box) : QAbstractListModel(box), box_(box) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(names.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return index.isValid() ? box_->RowData(index.row(), role) : QVariant();
    }
    void Reset(std::vector<std::string> replacement) {
        beginResetModel();
        names = std::move(replacement);
        endResetModel();
    }

    std::vector<std::string> names;

private:
    ListBox* box_;
};

ListBox::ListBox(QWidget* parent) : QListView(parent), rows_(new Rows(this)) {
    setModel(rows_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is as high as the others: laying out many rows then asks no
    // row for its size.
    setUniformItemSizes(true);
}

int ListBox::count() const {
    return static_cast<int>(rows_->names.size());
}

QString ListBox::Text(int row) const {
    return RowData(row, Qt::DisplayRole).toString();
}

QModelIndex ListBox::Row(int row) const {
    return rows_->index(row);
}

int ListBox::CurrentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ListBox::SetCurrentRow(int row) {
    selectionModel()->setCurrentIndex(Row(row), QItemSelectionModel::ClearAndSelect);
}

int ListBox::SelectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::SetRows(std::vector<std::string> names) {
    rows_->Reset(std::move(names));
}

const std::string& ListBox::Name(int row) const {
    return rows_->names.at(static_cast<std::size_t>(row));
}

QVariant ListBox::RowData(int row, int role) const {
    if (role != Qt::DisplayRole || row < 0 || row >= count()) {
        return {};
    }
    return QString::fromLocal8Bit(Name(row));
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    QListView::keyPressEvent(event);
    if (!IsNavigation(event->key())) {
        return;
    }
    // Qt selects only when the caret moves; at the first or last item, or on
    // the caret a focus-in put there, it would leave the list unselected.
    const QModelIndex caret = currentIndex();
    if (caret.isValid() && !selectionModel()->isSelected(caret)) {
        selectionModel()->select(caret, QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace platform
