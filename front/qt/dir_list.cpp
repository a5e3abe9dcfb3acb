// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/dir_list.h"

#include <QPainter>

namespace qtfront {
namespace {

// Drawn here rather than taken from the style or an icon theme: the two must
// differ at a glance, and a theme costs start-up time. Drawn at each scale the
// screen may ask for, so that they stay sharp.
QIcon FolderIcon(bool open) {
    QIcon icon;
    for (const int scale : {1, 2, 3}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        const QColor edge(0x80, 0x60, 0x10);
        p.setPen(QPen(edge, 1));
        if (open) {
            // The back with its tab, and the front tilted away from it.
            p.setBrush(QColor(0xC8, 0x9A, 0x28));
            p.drawPolygon(QPolygonF(
                {{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
            p.setBrush(QColor(0xFF, 0xF0, 0xA0));
            p.drawPolygon(QPolygonF({{4, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}));
        } else {
            p.setBrush(QColor(0xE8, 0xB8, 0x30));
            p.drawPolygon(QPolygonF(
                {{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
            p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        }
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
        icon.addPixmap(pixmap, QIcon::Selected); // not tinted with the highlight
    }
    return icon;
}

} // namespace

DirList::DirList(QWidget* parent)
    : ListBox(parent), openIcon_(FolderIcon(true)), closedIcon_(FolderIcon(false)) {
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit Chosen(index.row()); });
}

void DirList::Shown() {
    Refill();
    // The open directory is highlighted, and stays marked whichever entry is
    // highlighted later.
    SetCurrentRow(rows_.OpenRow());
}

void DirList::paintEvent(QPaintEvent* event) {
    ListBox::paintEvent(event);
    if (rows_.Reading()) {
        rest_.Ask(this, [this] { emit RestWanted(); });
    }
}

QVariant DirList::RowData(int row, int role) const {
    switch (role) {
    case Qt::DecorationRole:
        return rows_.IsChain(row) ? openIcon_ : closedIcon_;
    case Qt::BackgroundRole:
        // A tint of the highlight rather than a bold font: a second face of the
        // font would cost start-up a font load of its own.
        if (row == rows_.OpenRow()) {
            QColor tint = palette().color(QPalette::Highlight);
            tint.setAlpha(64);
            return QBrush(tint);
        }
        return {};
    default:
        return ListBox::RowData(row, role);
    }
}

} // namespace qtfront
