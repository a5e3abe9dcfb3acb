// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/dir_listing.h"
#include "platform/files/paths.h"
#include "platform/files/windows_names.h"
#include "platform/files/wine_names_posix.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

namespace platform {

struct DirReader::Open {
    DIR* dir;
};

DirReader::DirReader(const std::string& systemPath) {
    // Nothing below it could be handed to the emulator: say so where it is chosen.
    if (std::string why = WhyANameInThePath(systemPath, WhyWineCannotHandName); !why.empty()) {
        listing_.ok = false;
        listing_.error = std::move(why);
        return;
    }
    const std::string native = PathMap::System().ToNative(systemPath);
    DIR* dir = native.empty() ? nullptr : opendir(native.c_str());
    if (!dir) {
        listing_.ok = false;
        listing_.error = std::strerror(native.empty() ? ENOENT : errno);
        return;
    }
    open_ = std::make_unique<Open>(Open{dir});
    // A directory's size grows with its entries, at no fewer than about 24
    // bytes each on the usual file systems: room for all of them at once,
    // and what is never filled is never touched.
    if (struct stat dirSt{}; fstat(dirfd(dir), &dirSt) == 0 && dirSt.st_size > 0) {
        listing_.entries.reserve(
            std::min<std::size_t>(static_cast<std::size_t>(dirSt.st_size) / 24, 1u << 22));
    }
}

DirReader::~DirReader() {
    if (open_) {
        closedir(open_->dir);
    }
}

bool DirReader::Read(std::size_t most) {
    if (!open_) {
        return false;
    }
    DIR* dir = open_->dir;
    const int fd = dirfd(dir);
    for (std::size_t read = 0; most == 0 || read < most;) {
        const dirent* e = readdir(dir);
        if (!e) {
            closedir(dir);
            open_.reset();
            return false;
        }
        const char* name = e->d_name;
        // Dot entries are hidden; a "\" cannot stand in a system path's name.
        if (name[0] == '.' || std::strchr(name, '\\') != nullptr) {
            continue;
        }
        bool isDirectory = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            isDirectory = fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        listing_.entries.push_back({name, isDirectory});
        ++read;
    }
    return true;
}

} // namespace platform
