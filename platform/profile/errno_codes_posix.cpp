// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/errno_codes_posix.h"

#include <cerrno>

#include "platform/posix/dirs_posix.h"
#include "platform/posix/file_io_posix.h"
#include "platform/profile/profile_errors.h"

namespace platform::winerr {

namespace {

std::uint32_t MissingCode(const std::string& path) {
    struct stat st {};
    if (::stat(posix::DirName(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return kFileNotFound;
    return kPathNotFound;
}

} // namespace

std::uint32_t FromErrno(int e) {
    switch (e) {
    case 0:
        return kSuccess;
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
        return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return kAccessDenied;
    case EROFS:
        return kWriteProtect;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case EFBIG:
        return kFileTooLarge;
    case ENAMETOOLONG:
        return kFilenameTooLong;
    case ELOOP:
        return kCantResolveFilename;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case ENOMEM:
        return kNotEnoughMemory;
    case EXDEV:
        return kNotSameDevice;
    case EEXIST:
        return kFileExists;
    case EINVAL:
        return kInvalidParameter;
    case EBUSY:
    case ETXTBSY:
        return kSharingViolation;
    case EIO:
        return kIoDevice;
    default:
        return kGenFailure;
    }
}

std::uint32_t OpenError(const std::string& path, int e) {
    return e == ENOENT ? MissingCode(path) : FromErrno(e);
}

std::uint32_t CheckRegular(const struct stat& st) {
    return S_ISREG(st.st_mode) ? kSuccess : kAccessDenied;
}

std::uint32_t ReadAll(int fd, std::size_t sizeHint, std::string& text) {
    return FromErrno(platform::file_io::ReadAll(fd, sizeHint, text));
}

std::uint32_t WriteAll(int fd, std::string_view data) {
    return FromErrno(platform::file_io::WriteAll(fd, data));
}

} // namespace platform::winerr
