// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/dir_list.h"
#include "platform/files/dir_listing.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <cctype>

namespace platform {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
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

// Each entry stands indented by its level in the tree. The indentation is not
// part of the text, so that typing a letter finds the entry.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
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
    static int Indent(const QModelIndex& index) {
        return index.data(kLevelRole).toInt() * kIndentPixels;
    }
};

QListWidgetItem* AddEntry(QListWidget* list, const QIcon& icon, const std::string& name,
                          const std::string& path, int level) {
    auto* item = new QListWidgetItem(icon, QString::fromLocal8Bit(name), list);
    item->setData(kPathRole, QByteArray::fromStdString(path));
    item->setData(kLevelRole, level);
    return item;
}

} // namespace

DirList::DirList(QWidget* parent)
    : ListBox(parent), openIcon_(FolderIcon(true)), closedIcon_(FolderIcon(false)) {
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemActivated, this, &DirList::Open);
}

bool DirList::SetPath(const std::string& systemPath, std::string* error) {
    const std::string path = Tidy(systemPath);
    const Listing listing = ListDirectory(path);
    if (!listing.ok) {
        if (error) {
            *error = listing.error;
        }
        return false;
    }
    const bool changed = path != path_;
    path_ = path;

    clear();
    // The chain: the root ("z:\"), then each name down to the open directory.
    const std::size_t rootEnd = path.find('\\');
    std::string chainPath = path.substr(0, rootEnd == std::string::npos ? 0 : rootEnd + 1);
    std::string rootName = chainPath;
    if (!rootName.empty()) {
        rootName[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(rootName[0])));
    }
    int level = 0;
    QListWidgetItem* current = AddEntry(this, openIcon_, rootName, chainPath, level);
    std::size_t start = chainPath.size();
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        chainPath = path.substr(0, end);
        current = AddEntry(this, openIcon_, path.substr(start, end - start), chainPath, ++level);
        start = end + 1;
    }
    // The open directory stays marked whichever entry is highlighted.
    QFont bold = font();
    bold.setBold(true);
    current->setFont(bold);
    ++level;
    const std::string base = path.back() == '\\' ? path : path + '\\';
    for (const std::string& sub : Subdirectories(listing)) {
        AddEntry(this, closedIcon_, sub, base + sub, level);
    }
    setCurrentItem(current);
    if (changed) {
        emit Change();
    }
    return true;
}

void DirList::Open(QListWidgetItem* item) {
    const std::string target = item->data(kPathRole).toByteArray().toStdString();
    if (target == path_) {
        return;
    }
    std::string error;
    if (!SetPath(target, &error)) {
        emit ReadFailed(target, error);
    }
}

} // namespace platform
