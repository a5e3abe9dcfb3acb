// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/kept_copy_posix.h"
#include "platform/posix/dirs_posix.h"
#include "platform/posix/file_io_posix.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

using file_io::UniqueFd;

// Ours alone: another user who could write there could plant what we apply.
bool Trusted(const struct stat& st) {
    return st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string NameFor(const struct stat& file) {
    char name[64];
    std::snprintf(name, sizeof name, "%" PRIxMAX "-%" PRIxMAX ".kept",
                  static_cast<std::uintmax_t>(file.st_dev),
                  static_cast<std::uintmax_t>(file.st_ino));
    return name;
}

// The header names the file again, so that a copy renamed by hand is not
// taken for another file's, and says where the old content ends.
std::string Header(const struct stat& file, std::size_t oldSize, std::size_t nextSize) {
    char header[128];
    std::snprintf(header, sizeof header, "vorlanes cut write %" PRIuMAX " %" PRIuMAX " %zu %zu\n",
                  static_cast<std::uintmax_t>(file.st_dev),
                  static_cast<std::uintmax_t>(file.st_ino), oldSize, nextSize);
    return header;
}

constexpr std::size_t kStepLineSize = 20 + 1 + 20 + 1 + 20 + 1 + 9 + 1;

// The step under way, at a fixed place after the header so that a step is
// one small write.
std::string StepLine(std::size_t from, std::size_t to, const struct timespec& changed) {
    char line[96];
    std::snprintf(line, sizeof line, "%20zu %20zu %20jd %9ld\n", from, to,
                  static_cast<std::intmax_t>(changed.tv_sec), changed.tv_nsec);
    return line;
}

} // namespace

std::string Mixed(std::string_view old, std::string_view next, std::size_t done) {
    if (done > next.size())
        return std::string(next);
    std::string text(next.substr(0, done));
    if (done < old.size())
        text.append(old.substr(done));
    return text;
}

bool IsOwnCut(const CutWrite& cut, const struct stat& file, std::string_view bytes) {
    const auto& t = file.st_ctim;
    const auto& c = cut.changed;
    const bool unchanged = t.tv_sec == c.tv_sec && t.tv_nsec == c.tv_nsec;
    const bool later = t.tv_sec > c.tv_sec || (t.tv_sec == c.tv_sec && t.tv_nsec >= c.tv_nsec);
    const std::string before = Mixed(cut.old, cut.next, cut.from);
    // A step taken within the clock's tick may leave the time as it was; and
    // the system stamps a write's time before its first byte lands, so a step
    // cut there leaves a later time on unchanged bytes. Those are ours unless
    // they are the old text whole, which another writer may have saved again.
    const bool stepped = later && cut.to != cut.from;
    return (stepped &&
            (bytes == Mixed(cut.old, cut.next, cut.to) || (bytes == before && bytes != cut.old))) ||
           (unchanged && bytes == before);
}

KeptCopies::KeptCopies(std::function<std::string()> dir) : dir_(std::move(dir)) {}

// The trusted directory, opened without following a link at its end, or -1.
int KeptCopies::OpenDir(bool make) const {
    const std::string dir = dir_();
    if (dir.empty() || dir.front() != '/')
        return -1;
    if (make && posix::MakeDirs(dir) != 0)
        return -1;
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.Get(), &st) != 0 || !Trusted(st))
        return -1;
    return fd.Release();
}

int KeptCopies::Keep(const struct stat& file, std::string_view old, std::string_view next) const {
    const UniqueFd dir(OpenDir(true));
    if (!dir)
        return kNoPlace;
    const std::string name = NameFor(file), temp = name + ".new";
    ::unlinkat(dir.Get(), temp.c_str(), 0);
    UniqueFd fd(::openat(dir.Get(), temp.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd)
        return errno;
    int e = file_io::WriteAll(fd.Get(),
                              Header(file, old.size(), next.size()) + StepLine(0, 0, file.st_ctim));
    if (e == 0)
        e = file_io::WriteAll(fd.Get(), old);
    if (e == 0)
        e = file_io::WriteAll(fd.Get(), next);
    if (e == 0 && ::fsync(fd.Get()) != 0)
        e = errno;
    if (::close(fd.Release()) != 0 && e == 0)
        e = errno;
    if (e == 0 && ::renameat(dir.Get(), temp.c_str(), dir.Get(), name.c_str()) != 0)
        e = errno;
    if (e != 0) {
        ::unlinkat(dir.Get(), temp.c_str(), 0);
        return e;
    }
    ::fsync(dir.Get());
    return 0;
}

bool KeptCopies::Step(const struct stat& file, std::size_t from, std::size_t to) const {
    const UniqueFd dir(OpenDir(false));
    if (!dir)
        return false;
    const UniqueFd fd(
        ::openat(dir.Get(), NameFor(file).c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    char head[128];
    const ssize_t got = fd ? ::pread(fd.Get(), head, sizeof head, 0) : -1;
    const void* eol = got > 0 ? std::memchr(head, '\n', static_cast<std::size_t>(got)) : nullptr;
    if (eol == nullptr)
        return false;
    const std::string line = StepLine(from, to, file.st_ctim);
    const off_t at = static_cast<const char*>(eol) - head + 1;
    return ::pwrite(fd.Get(), line.data(), line.size(), at) == static_cast<ssize_t>(line.size());
}

void KeptCopies::Forget(const struct stat& file) const {
    const UniqueFd dir(OpenDir(false));
    if (dir && ::unlinkat(dir.Get(), NameFor(file).c_str(), 0) == 0)
        ::fsync(dir.Get());
}

std::optional<CutWrite> KeptCopies::Find(const struct stat& file) const {
    const UniqueFd dir(OpenDir(false));
    if (!dir)
        return std::nullopt;
    const UniqueFd fd(
        ::openat(dir.Get(), NameFor(file).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || !Trusted(st))
        return std::nullopt;
    std::string bytes;
    if (file_io::ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), bytes) != 0)
        return std::nullopt;
    // Only a whole copy of this very file counts.
    const std::size_t eol = bytes.find('\n');
    std::uintmax_t dev = 0, ino = 0;
    std::size_t oldSize = 0, nextSize = 0;
    if (eol == std::string::npos ||
        std::sscanf(bytes.c_str(), "vorlanes cut write %" SCNuMAX " %" SCNuMAX " %zu %zu", &dev,
                    &ino, &oldSize, &nextSize) != 4 ||
        bytes.compare(0, eol + 1, Header(file, oldSize, nextSize)) != 0 ||
        bytes.size() - eol - 1 != kStepLineSize + oldSize + nextSize)
        return std::nullopt;
    CutWrite cut;
    std::intmax_t seconds = 0;
    long nanoseconds = 0;
    const std::string step = bytes.substr(eol + 1, kStepLineSize);
    if (std::sscanf(step.c_str(), "%zu %zu %jd %ld", &cut.from, &cut.to, &seconds, &nanoseconds) !=
        4)
        return std::nullopt;
    cut.changed.tv_sec = static_cast<time_t>(seconds);
    cut.changed.tv_nsec = nanoseconds;
    const std::size_t body = eol + 1 + kStepLineSize;
    cut.old = bytes.substr(body, oldSize);
    cut.next = bytes.substr(body + oldSize);
    return cut;
}

std::string UserStateDir() {
    const std::string state = posix::XdgBaseDir("XDG_STATE_HOME", ".local/state");
    return state.empty() ? state : state + "/vorlanes";
}

} // namespace platform
