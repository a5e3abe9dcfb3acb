// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/list_box.h"

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

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    QListWidget::keyPressEvent(event);
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
