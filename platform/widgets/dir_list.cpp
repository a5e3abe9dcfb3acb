// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/dir_list.h"
#include "platform/files/dir_listing.h"

#include <QStyle>
#include <cctype>

namespace platform {
namespace {

constexpr int kPathRole = Qt::UserRole;

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

QString Indent(int level) {
    return QString(level * 2, QLatin1Char(' '));
}

} // namespace

DirList::DirList(QWidget* parent) : ListBox(parent) {
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
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The chain: the root ("z:\"), then each name down to the open directory.
    const std::size_t rootEnd = path.find('\\');
    std::string chainPath = path.substr(0, rootEnd == std::string::npos ? 0 : rootEnd + 1);
    std::string rootName = chainPath;
    if (!rootName.empty()) {
        rootName[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(rootName[0])));
    }
    int level = 0;
    QListWidgetItem* current = new QListWidgetItem(open, QString::fromLocal8Bit(rootName), this);
    current->setData(kPathRole, QByteArray::fromStdString(chainPath));
    std::size_t start = chainPath.size();
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string name = path.substr(start, end - start);
        chainPath = path.substr(0, end);
        ++level;
        current = new QListWidgetItem(open, Indent(level) + QString::fromLocal8Bit(name), this);
        current->setData(kPathRole, QByteArray::fromStdString(chainPath));
        start = end + 1;
    }
    ++level;
    const std::string base = path.back() == '\\' ? path : path + '\\';
    for (const std::string& sub : Subdirectories(listing)) {
        auto* item = new QListWidgetItem(closed, Indent(level) + QString::fromLocal8Bit(sub), this);
        item->setData(kPathRole, QByteArray::fromStdString(base + sub));
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
