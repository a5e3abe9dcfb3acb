// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/dir_listing.h"
#include "platform/widgets/list_box.h"

#include <QIcon>
#include <string>
#include <vector>

namespace platform {

// The chain of directories from the drive's root to the open one (open
// folders, the open one tinted), then the open one's subdirectories (closed
// folders), each indented by its level. Opening an entry (double-click or
// Enter) makes it the path; highlighting one does not.
class DirList : public ListBox {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    // A system path: "Z:\home\ann", a drive's root as "Z:\".
    const std::string& Path() const { return path_; }
    // Opens a directory; on failure nothing changes and `error` holds the reason.
    // Emits Change when the path really changes.
    bool SetPath(const std::string& systemPath, std::string* error = nullptr);
    // What the open directory held when it was opened: the file list shows
    // its images without reading the directory a second time.
    const Listing& Contents() const { return listing_; }
    // Its place in the tree: 0 for the root.
    int Level(int row) const;
    bool IsChain(int row) const { return row < chainRows_; }

signals:
    void Change();
    void ReadFailed(const std::string& path, const std::string& reason);

protected:
    QVariant RowData(int row, int role) const override;

private:
    void Open(int row);
    std::string RowPath(int row) const;

    std::string path_;
    Listing listing_;
    std::vector<std::string> chain_; // the paths of the root down to the open directory
    int chainRows_ = 0;
    QIcon openIcon_;
    QIcon closedIcon_;
};

} // namespace platform
