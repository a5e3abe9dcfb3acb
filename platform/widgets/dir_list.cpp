// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/dir_list.h"
#include "platform/files/dir_listing.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cctype>

namespace platform {
namespace {

constexpr int kIndentPixels = 12;

// "Z:\a\b\" and "Z:\a\b" are the same directory; a root keeps its "\".
std::string Tidy(std::string path) {
    while (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) {
        path.pop_back();
    }
    if (path.size() == 2 && path[1] == ':') {
        path += '\\';
    }
    return path;
}

// Drawn here rather than taken from the style or an icon theme: the two must
// differ at a glance, and a theme costs start-up time.
QIcon FolderIcon(bool open) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor edge(0x80, 0x60, 0x10);
    p.setPen(QPen(edge, 1));
    if (open) {
        // The back with its tab, and the front tilted away from it.
        p.setBrush(QColor(0xC8, 0x9A, 0x28));
        p.drawPolygon(
            QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(0xFF, 0xF0, 0xA0));
        p.drawPolygon(QPolygonF({{4, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}));
    } else {
        p.setBrush(QColor(0xE8, 0xB8, 0x30));
        p.drawPolygon(
            QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
        p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
    }
    p.end();
    return QIcon(pixmap);
}

// Each entry stands indented by its level in the tree; the indentation is no
// part of the text, so that typing a letter finds the entry.
class FolderDelegate : public QStyledItemDelegate {
public:
    explicit FolderDelegate(DirList* list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
    }

private:
    int Indent(const QModelIndex& index) const { return list_->Level(index.row()) * kIndentPixels; }

    DirList* list_;
};

} // namespace

DirList::DirList(QWidget* parent)
    : ListBox(parent), openIcon_(FolderIcon(true)), closedIcon_(FolderIcon(false)) {
    setItemDelegate(new FolderDelegate(this));
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { Open(index.row()); });
}

bool DirList::SetPath(const std::string& systemPath, std::string* error) {
    const std::string path = Tidy(systemPath);
    Listing listing = ListDirectory(path);
    if (!listing.ok) {
        if (error) {
            *error = listing.error;
        }
        return false;
    }
    const bool changed = path != path_;
    path_ = path;
    listing_ = std::move(listing);

    std::vector<std::string> rows;
    chain_.clear();
    // The chain: the root ("z:\"), then each name down to the open directory.
    const std::size_t rootEnd = path.find('\\');
    std::string chainPath = path.substr(0, rootEnd == std::string::npos ? 0 : rootEnd + 1);
    std::string rootName = chainPath;
    if (!rootName.empty()) {
        rootName[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(rootName[0])));
    }
    rows.push_back(rootName);
    chain_.push_back(chainPath);
    std::size_t start = chainPath.size();
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        rows.push_back(path.substr(start, end - start));
        chain_.push_back(path.substr(0, end));
        start = end + 1;
    }
    chainRows_ = static_cast<int>(chain_.size());
    std::vector<std::string> subdirs = Subdirectories(listing_);
    rows.insert(rows.end(), std::make_move_iterator(subdirs.begin()),
                std::make_move_iterator(subdirs.end()));
    SetRows(std::move(rows));
    // The open directory is highlighted, and stays marked whichever entry is
    // highlighted later.
    SetCurrentRow(chainRows_ - 1);
    if (changed) {
        emit Change();
    }
    return true;
}

std::string DirList::RowPath(int row) const {
    if (row < 0) {
        return {};
    }
    const auto index = static_cast<std::size_t>(row);
    if (index < chain_.size()) {
        return chain_[index];
    }
    if (row < count()) {
        return (path_.back() == '\\' ? path_ : path_ + '\\') + Name(row);
    }
    return {};
}

QVariant DirList::RowData(int row, int role) const {
    switch (role) {
    case Qt::DecorationRole:
        return IsChain(row) ? openIcon_ : closedIcon_;
    case Qt::BackgroundRole:
        // A tint of the highlight rather than a bold font: a second face of the
        // font would cost start-up a font load of its own.
        if (row == chainRows_ - 1) {
            QColor tint = palette().color(QPalette::Highlight);
            tint.setAlpha(64);
            return QBrush(tint);
        }
        return {};
    default:
        return ListBox::RowData(row, role);
    }
}

int DirList::Level(int row) const {
    return std::min(row, chainRows_);
}

void DirList::Open(int row) {
    const std::string target = RowPath(row);
    if (target.empty()) {
        return;
    }
    if (target == path_) {
        return;
    }
    std::string error;
    if (!SetPath(target, &error)) {
        emit ReadFailed(target, error);
    }
}

} // namespace platform
