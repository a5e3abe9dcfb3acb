// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

// Whole reads and writes through interruptions and short counts; each returns
// 0 or the errno.
namespace platform::file_io {

// Owns a file descriptor and closes it when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~UniqueFd() { Reset(); }
    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

// Room for `size` bytes, a big new buffer's pages mapped in one call: faulted
// in one at a time, they cost the first read of a big file more than its copy.
inline void MakeRoom(std::string& bytes, std::size_t size) {
    constexpr std::size_t kMapAtOnce = 256 * 1024;
    if (bytes.capacity() >= size)
        return;
    bytes.reserve(size);
#ifdef MADV_POPULATE_WRITE
    if (size < kMapAtOnce)
        return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto at = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t begin = (at + page - 1) & ~(page - 1);
    const std::uintptr_t end = (at + bytes.capacity()) & ~(page - 1);
    // Only advice: where it fails, the pages come one fault at a time.
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#endif
}

// sizeHint: what the file is expected to hold; more or less is read all the same.
inline int ReadAll(int fd, std::size_t sizeHint, std::string& bytes) {
    MakeRoom(bytes, sizeHint + 1);
    bytes.resize(sizeHint + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2 + 4096);
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return 0;
}

inline int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

} // namespace platform::file_io
