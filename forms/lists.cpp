// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/lists.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace forms {
namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

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

} // namespace

DriveRows::DriveRows(std::vector<platform::DriveInfo> drives, LabelReader readLabel)
    : drives_(std::move(drives)), readLabel_(std::move(readLabel)) {
    shown_ = drives_.empty() ? 0 : drives_.front().letter;
}

std::string DriveRows::Text(int row) const {
    const platform::DriveInfo& drive = drives_[static_cast<std::size_t>(row)];
    std::string text{Lower(drive.letter), ':'};
    if (drive.label && !drive.label->empty()) {
        text += " [" + *drive.label + "]";
    }
    return text;
}

void DriveRows::ReadLabel(int row) {
    platform::DriveInfo& drive = drives_[static_cast<std::size_t>(row)];
    if (!drive.label) {
        drive.label = readLabel_(drive);
    }
}

void DriveRows::ReadLabels() {
    for (int row = 0; row < Count(); ++row) {
        ReadLabel(row);
    }
}

char DriveRows::Letter(int row) const {
    return drives_[static_cast<std::size_t>(row)].letter;
}

int DriveRows::RowOf(char letter) const {
    for (int row = 0; row < Count(); ++row) {
        if (Letter(row) == letter) {
            return row;
        }
    }
    return -1;
}

void DriveRows::Show(char letter) {
    if (RowOf(letter) >= 0) {
        shown_ = letter;
    }
}

bool DriveRows::ReadShownLabel() {
    const int row = RowOf(shown_);
    if (row < 0 || drives_[static_cast<std::size_t>(row)].label) {
        return false;
    }
    ReadLabel(row);
    return true;
}

bool DriveRows::Choose(int row) {
    if (row < 0 || row >= Count() || Letter(row) == shown_) {
        return false;
    }
    shown_ = Letter(row);
    ReadLabel(row);
    return true;
}

void DriveRows::SetReadable(char letter, bool readable) {
    if (readable) {
        std::erase(unreadable_, letter);
    } else if (Readable(letter)) {
        unreadable_ += letter;
    }
}

bool DirRows::Open(const std::string& systemPath, std::string* reason, bool* changed) {
    const std::string path = Tidy(systemPath);
    auto reader = std::make_unique<platform::DirReader>(path);
    const bool more = reader->Read(kFirstEntries);
    if (!reader->listing().ok) {
        if (reason) {
            *reason = reader->listing().error;
        }
        return false;
    }
    if (changed) {
        *changed = path != path_;
    }
    path_ = path;
    // The reader keeps its own entries for the rest to join: the first ones
    // are copied once, a small folder's never.
    listing_ = std::make_shared<const platform::Listing>(more ? reader->listing() : reader->Take());
    reader_ = more ? std::move(reader) : nullptr;

    chainNames_.clear();
    chain_.clear();
    // The root ("z:\"), then each name down to the open directory.
    const std::size_t rootEnd = path.find('\\');
    const std::string root = path.substr(0, rootEnd == std::string::npos ? 0 : rootEnd + 1);
    std::string rootName = root;
    if (!rootName.empty()) {
        rootName[0] = Lower(rootName[0]);
    }
    chainNames_.push_back(rootName);
    chain_.push_back(root);
    std::size_t start = root.size();
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        chainNames_.push_back(path.substr(start, end - start));
        chain_.push_back(path.substr(0, end));
        start = end + 1;
    }
    chainRows_ = static_cast<int>(chain_.size());
    IndexSubdirectories();
    return true;
}

bool DirRows::ReadRest() {
    if (!reader_) {
        return false;
    }
    // A directory of just the first entries' size is known to be whole only
    // once the reader finds nothing more: the lists are not drawn again then.
    const std::size_t had = reader_->listing().entries.size();
    reader_->Read();
    const bool grown = reader_->listing().entries.size() > had;
    if (grown) {
        listing_ = std::make_shared<const platform::Listing>(reader_->Take());
        IndexSubdirectories();
    }
    reader_.reset();
    return grown;
}

void DirRows::IndexSubdirectories() {
    subdirs_ = platform::SubdirectoryEntries(*listing_);
    trueNames_ = platform::TrueNamesOf(*listing_, subdirs_);
}

const std::string& DirRows::TrueName(int row) const {
    static const std::string none;
    const auto child = static_cast<std::size_t>(row - chainRows_);
    return row >= chainRows_ && child < trueNames_.size() ? trueNames_[child] : none;
}

std::string DirRows::RowPath(int row) const {
    if (row < 0 || row >= Count()) {
        return {};
    }
    if (row < chainRows_) {
        return chain_[static_cast<std::size_t>(row)];
    }
    return (path_.back() == '\\' ? path_ : path_ + '\\') + Name(row);
}

void FileRows::Show(const std::string& systemPath,
                    std::shared_ptr<const platform::Listing> listing) {
    path_ = systemPath;
    listing_ = std::move(listing);
    rows_ = platform::MatchingFileEntries(*listing_, pattern_);
    trueNames_ = platform::TrueNamesOf(*listing_, rows_);
    selected_ = -1;
}

bool FileRows::Grow(const DirRows& dirs, const platform::Listing& was, int* selected) {
    if (listing_.get() != &was) {
        return false;
    }
    const bool hadOne = *selected >= 0 && *selected < Count();
    const std::uint32_t entry = hadOne ? rows_[static_cast<std::size_t>(*selected)] : 0;
    Show(dirs.Path(), dirs.Contents());
    // The whole listing begins with the first entries, in the same places.
    const auto found = hadOne ? std::find(rows_.begin(), rows_.end(), entry) : rows_.end();
    *selected = found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
    Select(*selected);
    return true;
}

const std::string& FileRows::TrueName(int row) const {
    static const std::string none;
    const auto i = static_cast<std::size_t>(row);
    return i < trueNames_.size() ? trueNames_[i] : none;
}

} // namespace forms
