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
    if (const file_io::UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); fd)
        ::fsync(fd.Get());
}

} // namespace

KeptCopies::KeptCopies(std::function<std::string()> dir) : dir_(std::move(dir)) {}

// Empty when there is no usable directory.
std::string KeptCopies::Dir() const {
    std::string dir = dir_();
    return !dir.empty() && dir.front() == '/' ? dir : std::string();
}

// One copy per file, named by a hash of its path; the path itself opens the
// copy, so that a hash shared by two paths is never taken for the other.
std::string KeptCopies::PathFor(const std::string& dir, const std::string& file) {
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : file)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    char name[32];
    std::snprintf(name, sizeof name, "/%016llx.kept", static_cast<unsigned long long>(hash));
    return dir + name;
}

int KeptCopies::Keep(const std::string& file, const std::string& bytes) const {
    const std::string dir = Dir();
    if (dir.empty())
        return ENOENT;
    if (const int e = MakeDirs(dir))
        return e;
    const std::string path = PathFor(dir, file), temp = path + ".new";
    ::unlink(temp.c_str());
    file_io::UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd)
        return errno;
    int e = file_io::WriteAll(fd.Get(), file + '\n');
    if (e == 0)
        e = file_io::WriteAll(fd.Get(), bytes);
    if (e == 0 && ::fsync(fd.Get()) != 0)
        e = errno;
    if (::close(fd.Release()) != 0 && e == 0)
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
    const std::string dir = Dir();
    if (!dir.empty() && ::unlink(PathFor(dir, file).c_str()) == 0)
        SyncDir(dir);
}

std::optional<std::string> KeptCopies::Find(const std::string& file) const {
    const std::string dir = Dir();
    if (dir.empty())
        return std::nullopt;
    const file_io::UniqueFd fd(
        ::open(PathFor(dir, file).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd)
        return std::nullopt;
    std::string bytes;
    const int error = file_io::ReadAll(fd.Get(), 0, bytes);
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
