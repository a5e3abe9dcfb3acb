// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/kept_copy_posix.h"
#include "platform/profile/file_io_posix.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Makes the directory and any missing parent, private to the user.
int MakeDirs(const std::string& dir) {
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash == std::string::npos)
            return 0;
    }
}

void SyncDir(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

KeptCopies::KeptCopies(std::function<std::string()> dir) : dir_(std::move(dir)) {}

// One copy per file, named by a hash of its path; the path itself opens the
// copy, so that a hash shared by two paths is never taken for the other.
std::string KeptCopies::PathFor(const std::string& file) const {
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : file)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    char name[32];
    std::snprintf(name, sizeof name, "/%016llx.kept", static_cast<unsigned long long>(hash));
    return dir_() + name;
}

int KeptCopies::Keep(const std::string& file, const std::string& bytes) const {
    const std::string dir = dir_();
    if (dir.empty() || dir.front() != '/')
        return ENOENT;
    if (const int e = MakeDirs(dir))
        return e;
    const std::string path = PathFor(file), temp = path + ".new";
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int e = file_io::WriteAll(fd, file + '\n');
    if (e == 0)
        e = file_io::WriteAll(fd, bytes);
    if (e == 0 && ::fsync(fd) != 0)
        e = errno;
    if (::close(fd) != 0 && e == 0)
        e = errno;
    if (e == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        e = errno;
    if (e != 0) {
        ::unlink(temp.c_str());
        return e;
    }
    SyncDir(dir);
    return 0;
}

void KeptCopies::Forget(const std::string& file) const {
    if (::unlink(PathFor(file).c_str()) == 0)
        SyncDir(dir_());
}

std::optional<std::string> KeptCopies::Find(const std::string& file) const {
    const std::string dir = dir_();
    if (dir.empty())
        return std::nullopt;
    const int fd = ::open(PathFor(file).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    const int error = file_io::ReadAll(fd, 0, bytes);
    ::close(fd);
    // Only a whole copy can put a file back.
    if (error != 0 || !bytes.starts_with(file + '\n'))
        return std::nullopt;
    return bytes.substr(file.size() + 1);
}

std::string UserStateDir() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/vorlanes";
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return std::string(home) + "/.local/state/vorlanes";
    return {};
}

} // namespace platform
