// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/list_box.h"

#include <QAbstractListModel>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>

namespace qtfront {
namespace {

constexpr int kIndentPixels = 12;

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

// Each entry stands indented by its level; the indentation is no part of the
// text, so that typing a letter finds the entry. The caret gets the dotted
// frame the system's lists draw, which most styles leave out.
class RowDelegate : public QStyledItemDelegate {
public:
    explicit RowDelegate(ListBox* list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
        if (list_->hasFocus() && index == list_->currentIndex()) {
            painter->save();
            QPen pen(option.palette.color(QPalette::Text), 1, Qt::DotLine);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(indented.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
    }
    // A name cut short shows whole in a tip while the mouse rests on it.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        const int room =
            std::min(option.rect.right(), view->viewport()->width()) - option.rect.left();
        if (sizeHint(option, index).width() > room) {
            QToolTip::showText(event->globalPos(), list_->Text(index.row()), view->viewport(),
                               option.rect);
        } else {
            QToolTip::hideText();
        }
        return true;
    }

private:
    int Indent(const QModelIndex& index) const { return list_->Level(index.row()) * kIndentPixels; }

    ListBox* list_;
};

} // namespace

class ListBox::Rows : public QAbstractListModel {
public:
    explicit Rows(ListBox* box) : QAbstractListModel(box), box_(box) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : box_->RowCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return index.isValid() ? box_->RowData(index.row(), role) : QVariant();
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }

private:
    ListBox* box_;
};

ListBox::ListBox(QWidget* parent) : QListView(parent), rows_(new Rows(this)) {
    setModel(rows_);
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is as high as the others: laying out many rows then asks no
    // row for its size.
    setUniformItemSizes(true);
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

void ListBox::Refill() {
    rows_->Reset();
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

} // namespace qtfront
