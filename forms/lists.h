// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the drive, directory and file lists hold and show; each front only draws
// their rows. Names are kept as their exact bytes.
namespace forms {

// The machine's drives, each shown as "z: [label]", or "z:" while its label
// is unknown. A label is read only when its row is to be seen: the shown
// drive's once the closed list has been drawn, so that the window does not
// wait for it, the others' as the list drops down.
class DriveRows {
public:
    using LabelReader = std::function<std::string(const platform::DriveInfo&)>;
    explicit DriveRows(std::vector<platform::DriveInfo> drives,
                       LabelReader readLabel = platform::ReadLabel);

    int Count() const { return static_cast<int>(drives_.size()); }
    std::string Text(int row) const;
    char Letter(int row) const;
    int RowOf(char letter) const; // -1 when there is no such drive

    char Drive() const { return shown_; }
    // Shows a drive without telling anyone (start-up, or going back after a failure).
    void Show(char letter);
    // The closed list has been drawn: true when the shown drive's label was
    // read just now, and its row is to be drawn again.
    bool ReadShownLabel();
    // The user chose a row: true when that is another drive than the one the
    // lists show, which then raises Change; choosing it again changes nothing.
    bool Choose(int row);
    // The list drops down: every label not known yet is read.
    void ReadLabels();
    // Whether a drive is taken as readable: so until choosing it once failed.
    bool Readable(char letter) const { return unreadable_.find(letter) == std::string::npos; }
    void SetReadable(char letter, bool readable);

private:
    void ReadLabel(int row);

    std::vector<platform::DriveInfo> drives_;
    LabelReader readLabel_;
    char shown_ = 0;
    std::string unreadable_;
};

// The chain of directories from the drive's root to the open one, then the
// open one's subdirectories, each at its level in the tree.
class DirRows {
public:
    const std::string& Path() const { return path_; }
    // What the open directory held when it was opened; never null.
    const std::shared_ptr<const platform::Listing>& Contents() const { return listing_; }
    // Opens a system path ("Z:\home\ann", a root as "Z:\"). False with the
    // reason when it cannot be read: nothing changes then. `changed` tells
    // whether the path is another one than before.
    bool Open(const std::string& systemPath, std::string* reason, bool* changed = nullptr);
    // A large directory is opened with its first entries only, so that they
    // are on screen before the rest has been read: true until ReadRest.
    bool Reading() const { return reader_ != nullptr; }
    // Reads the rest of the open directory, as Contents anew; false when no
    // entry was left to read.
    bool ReadRest();

    int Count() const { return chainRows_ + static_cast<int>(subdirs_.size()); }
    const std::string& Name(int row) const {
        return row < chainRows_
                   ? chainNames_[static_cast<std::size_t>(row)]
                   : listing_->entries[subdirs_[static_cast<std::size_t>(row - chainRows_)]].name;
    }
    // What a row shows when the code page cannot spell its name; empty otherwise.
    const std::string& TrueName(int row) const;
    int Level(int row) const { return row < chainRows_ ? row : chainRows_; }
    bool IsChain(int row) const { return row < chainRows_; }
    int OpenRow() const { return chainRows_ - 1; }
    // The directory a row stands for; empty for no row.
    std::string RowPath(int row) const;

    // How many entries a directory is opened with.
    static constexpr std::size_t kFirstEntries = 1024;

private:
    void IndexSubdirectories();

    std::string path_;
    std::unique_ptr<platform::DirReader> reader_; // while entries are left to read
    // Rows name the listing's own entries: a large folder's names are not copied again.
    std::shared_ptr<const platform::Listing> listing_ = std::make_shared<platform::Listing>();
    std::vector<std::string> chainNames_;
    std::vector<std::uint32_t> subdirs_;
    std::vector<std::string> trueNames_; // of the subdirectories, when any is needed
    std::vector<std::string> chain_;
    int chainRows_ = 0;
};

// The files of one directory that match a pattern, in name order.
class FileRows {
public:
    explicit FileRows(std::string pattern) : pattern_(std::move(pattern)) {}

    const std::string& Path() const { return path_; }
    // Shows a directory already listed, nothing selected.
    void Show(const std::string& systemPath, std::shared_ptr<const platform::Listing> listing);
    // The directory list has read the rest of the directory whose first
    // entries `was` holds: if those are what this list shows, it shows them
    // all, and `selected` follows its file to its new row. False otherwise.
    bool Grow(const DirRows& dirs, const platform::Listing& was, int* selected);

    int Count() const { return static_cast<int>(rows_.size()); }
    const std::string& Name(int row) const {
        return listing_->entries[rows_[static_cast<std::size_t>(row)]].name;
    }
    const std::string& TrueName(int row) const;
    void Select(int row) { selected_ = row >= 0 && row < Count() ? row : -1; }
    // The selected bare file name, empty when none is selected.
    std::string FileName() const { return selected_ < 0 ? std::string() : Name(selected_); }

private:
    std::string path_;
    std::string pattern_;
    std::shared_ptr<const platform::Listing> listing_;
    std::vector<std::uint32_t> rows_; // the listing's entries shown, in order
    std::vector<std::string> trueNames_;
    int selected_ = -1;
};

} // namespace forms
