// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/parse_cache_posix.h"

#include <sys/vfs.h>

namespace platform {

namespace {

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::chrono::system_clock::time_point TimeOf(const struct timespec& t) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)));
}

} // namespace

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

// Whether a parse of the file may answer later reads. Every change of the
// file sets its change time, which no one can set back, to the clock's time;
// once that time lies a tick behind the clock, the next change shows. Only
// local file systems whose times come from this machine's clock, finely
// enough, are trusted so: a server's clock and a coarse one could repeat a time.
bool Settled(int fd, const struct stat& st, std::chrono::system_clock::time_point now) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // XFS
    case 0x9123683E: // Btrfs
    case 0x01021994: // tmpfs
    case 0xF2F52010: // F2FS
        break;
    default:
        return false;
    }
    return TimeOf(st.st_ctim) + kSettledAfter <= now && TimeOf(st.st_mtim) <= now;
}

std::shared_ptr<const Parsed> ParseCache::Find(const struct stat& st) const {
    const std::lock_guard lock(mutex_);
    const auto now = std::chrono::system_clock::now();
    for (auto it = parsed_.begin(); it != parsed_.end(); ++it) {
        const Parsed& kept = **it;
        if (kept.st.st_dev != st.st_dev || kept.st.st_ino != st.st_ino)
            continue;
        // A clock set back could give a later change the time of an earlier one.
        if (SameFile(kept.st, st) && now >= kept.keptAt)
            return *it;
        parsed_.erase(it);
        return nullptr;
    }
    return nullptr;
}

void ParseCache::Keep(std::shared_ptr<const Parsed> parsed) const {
    constexpr std::size_t kFiles = 4;
    const std::lock_guard lock(mutex_);
    std::erase_if(parsed_, [&](const auto& kept) {
        return kept->st.st_dev == parsed->st.st_dev && kept->st.st_ino == parsed->st.st_ino;
    });
    if (parsed_.size() == kFiles)
        parsed_.erase(parsed_.begin());
    parsed_.push_back(std::move(parsed));
}

void ParseCache::Clear() const {
    const std::lock_guard lock(mutex_);
    parsed_.clear();
}

} // namespace platform
