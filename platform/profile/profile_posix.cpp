// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile_posix.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/files/paths.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile_errors.h"

namespace platform {

namespace {

using namespace winerr;

// Like Windows, one last error per thread, shared by every instance.
thread_local std::uint32_t t_lastError = kSuccess;

std::uint32_t Fail(std::uint32_t code) {
    t_lastError = code;
    return 0;
}

// A write's result: non-zero on success, 0 with the last error set otherwise.
std::int32_t WriteResult(std::uint32_t code) {
    t_lastError = code;
    return code == kSuccess ? 1 : 0;
}

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
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
    int fd_;
};

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

std::string DirName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ENOENT is a missing file when its directory exists, a missing path otherwise.
std::uint32_t MissingCode(const std::string& path) {
    struct stat st {};
    if (::stat(DirName(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return kFileNotFound;
    return kPathNotFound;
}

std::uint32_t OpenError(const std::string& path, int e) {
    return e == ENOENT ? MissingCode(path) : FromErrno(e);
}

// Regular files only: a directory is refused as Windows does, and a FIFO or a
// device would block or be replaced by the rename.
std::uint32_t CheckRegular(const struct stat& st) {
    return S_ISREG(st.st_mode) ? kSuccess : kAccessDenied;
}

std::uint32_t ReadAll(int fd, std::size_t sizeHint, std::string& text) {
    text.resize(sizeHint + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == text.size())
            text.resize(text.size() * 2 + 4096);
        const ssize_t n = ::read(fd, text.data() + used, text.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FromErrno(errno);
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    text.resize(used);
    return kSuccess;
}

std::uint32_t WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return FromErrno(errno);
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return kSuccess;
}

// The file a write must replace: symbolic links are followed so that the
// link stays and its target gets the new content.
std::uint32_t FollowLinks(std::string path, std::string& target) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = std::move(path);
            return kSuccess;
        }
        std::vector<char> buf(PATH_MAX);
        const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
        if (n < 0)
            return FromErrno(errno);
        std::string link(buf.data(), static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : DirName(path) + "/" + link;
    }
    return kCantResolveFilename;
}

void LockExclusive(int fd) {
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

// Both cases of "not enough room" leave the list with two NULs, as Windows does.
// The list of section names needs one spare byte more: Windows reports an
// exact fit as cut short.
std::uint32_t FillList(const std::vector<std::string_view>& items, char* buffer, std::uint32_t size,
                       bool& truncated, std::size_t spare = 0) {
    std::string list;
    for (const auto& item : items)
        list.append(item).push_back('\0');
    if (size == 0) {
        truncated = !list.empty();
        return 0;
    }
    truncated = list.size() + 1 + (list.empty() ? 0 : spare) > size;
    if (!truncated) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && size > 1)
            buffer[1] = '\0';
        return static_cast<std::uint32_t>(list.size());
    }
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::uint32_t ListResult(const std::vector<std::string_view>& items, char* buffer,
                         std::uint32_t size, std::uint32_t notFoundCode, std::size_t spare = 0) {
    bool truncated = false;
    const std::uint32_t count = FillList(items, buffer, size, truncated, spare);
    t_lastError = truncated ? kMoreData : (items.empty() ? notFoundCode : kSuccess);
    return count;
}

std::vector<std::string_view> Views(const std::vector<std::string>& strings) {
    return {strings.begin(), strings.end()};
}

// A UTF-16LE file (one that starts with FF FE) is read as Unicode and handed
// to the 8-bit functions in the system code page, Windows-1252 here, and
// written back as UTF-16, as Windows and Wine both do. Characters outside the
// code page read as "?"; the five bytes that 1252 leaves unassigned map to
// the control characters of the same value.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE");
}

char To1252(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < std::size(kHigh1252); ++i) {
        if (kHigh1252[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string FromUtf16(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(To1252(static_cast<char16_t>(lo | (hi << 8))));
    }
    return text;
}

std::string ToUtf16(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t u = (b >= 0x80 && b < 0xA0) ? kHigh1252[b - 0x80] : b;
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

// A file whose write bits are all clear is read-only, for root too, as a file
// with the read-only attribute is on Windows.
bool IsReadOnly(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

PosixProfile::PosixProfile(Resolver toNative) : toNative_(std::move(toNative)) {}

PosixProfile::PosixProfile(Resolver toNative, bool flushToDisk)
    : toNative_(std::move(toNative)), flushToDisk_(flushToDisk) {}

std::uint32_t PosixProfile::Resolve(const char* fileName, std::string& nativePath) const {
    if (fileName == nullptr || *fileName == '\0')
        return kAccessDenied;
    const std::string name(fileName);
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>|\"?*", c) != nullptr)
            return kInvalidName;
    }
    nativePath = toNative_(name);
    return nativePath.empty() ? kInvalidName : kSuccess;
}

std::uint32_t PosixProfile::Load(const char* fileName, std::string& text) const {
    text.clear();
    std::string path;
    if (const std::uint32_t code = Resolve(fileName, path))
        return code;
    // O_NONBLOCK keeps a FIFO from hanging the open; it is refused right after.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        return OpenError(path, errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    if (const std::uint32_t code = CheckRegular(st))
        return code;
    if (const std::uint32_t code = ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), text))
        return code;
    if (IsUtf16(text))
        text = FromUtf16(text);
    return kSuccess;
}

std::uint32_t PosixProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultValue, char* buffer,
                                                     std::uint32_t size, const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::string text;
    const std::uint32_t loaded = Load(fileName, text);
    if (loaded == kSuccess && (section == nullptr || key == nullptr)) {
        if (section == nullptr)
            return ListResult(ini::SectionNames(text), buffer, size, kSuccess);
        return ListResult(ini::KeyNames(text, section), buffer, size, kFileNotFound);
    }
    std::string_view value = defaultValue ? defaultValue : "";
    // Windows drops the default's trailing spaces, not its tabs.
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    std::uint32_t code = loaded;
    if (loaded == kSuccess) {
        if (const auto found = ini::FindValue(text, section, key))
            value = *found;
        else
            code = kFileNotFound;
    }
    if (size == 0)
        return Fail(value.empty() ? code : kMoreData);
    const std::size_t count = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    t_lastError = (count < value.size()) ? kMoreData : code;
    return static_cast<std::uint32_t>(count);
}

std::uint32_t PosixProfile::GetPrivateProfileSectionA(const char* section, char* buffer,
                                                      std::uint32_t size, const char* fileName) {
    if (section == nullptr || (buffer == nullptr && size > 0))
        return Fail(kInvalidParameter);
    std::string text;
    if (const std::uint32_t code = Load(fileName, text)) {
        ListResult({}, buffer, size, code);
        return 0;
    }
    const auto entries = ini::SectionEntries(text, section);
    if (!entries) {
        ListResult({}, buffer, size, kFileNotFound);
        return 0;
    }
    return ListResult(Views(*entries), buffer, size, kSuccess);
}

std::uint32_t PosixProfile::GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                           const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::string text;
    if (const std::uint32_t code = Load(fileName, text)) {
        // Windows leaves a single NUL here, not two.
        if (size > 0)
            buffer[0] = '\0';
        return Fail(code);
    }
    return ListResult(ini::SectionNames(text), buffer, size, kSuccess, 1);
}

std::int32_t PosixProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                                      const char* value, const char* fileName) {
    if (section == nullptr) {
        // Windows flushes its cache here; this implementation keeps none.
        if (key == nullptr && value == nullptr)
            return WriteResult(kSuccess);
        return WriteResult(key != nullptr ? kFileNotFound : kInvalidParameter);
    }
    if (!ini::IsWritableSection(section) || (key && !ini::IsWritableKey(key)) ||
        (value && !ini::IsWritableValue(value)))
        return WriteResult(kInvalidParameter);
    const std::uint32_t code =
        Rewrite(fileName, [&](const std::string& text, bool exists, std::string& out) {
            if (key == nullptr) {
                out = ini::RemoveSection(text, section);
                return exists;
            }
            if (value == nullptr) {
                out = ini::RemoveKey(text, section, key);
                return exists;
            }
            out = ini::SetValue(text, section, key, value);
            return true;
        });
    return WriteResult(code);
}

std::int32_t PosixProfile::WritePrivateProfileSectionA(const char* section, const char* entries,
                                                       const char* fileName) {
    if (section == nullptr || !ini::IsWritableSection(section))
        return WriteResult(kInvalidParameter);
    std::vector<std::string_view> lines;
    for (const char* p = entries; p && *p; p += std::strlen(p) + 1) {
        lines.emplace_back(p);
        if (!ini::IsWritableEntry(lines.back()))
            return WriteResult(kInvalidParameter);
    }
    const std::uint32_t code =
        Rewrite(fileName, [&](const std::string& text, bool exists, std::string& out) {
            if (entries == nullptr) {
                out = ini::RemoveSection(text, section);
                return exists;
            }
            out = ini::ReplaceSection(text, section, lines);
            return true;
        });
    return WriteResult(code);
}

std::uint32_t PosixProfile::Rewrite(const char* fileName, const Edit& edit) const {
    std::string native;
    if (const std::uint32_t code = Resolve(fileName, native))
        return code;
    std::string target;
    if (const std::uint32_t code = FollowLinks(native, target))
        return code;
    const std::string dir = DirName(target);

    // Writers of every process lock the directory: the file itself cannot
    // carry the lock because each write puts a new file in its place.
    UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd) {
        if (errno == ENOENT || errno == ENOTDIR)
            return kPathNotFound;
        if (errno != EACCES)
            return FromErrno(errno);
    }
    // The file is opened under the lock: before it, another writer may still
    // put a new file in its place.
    UniqueFd fileFd;
    if (dirFd) {
        LockExclusive(dirFd.Get());
        fileFd.Reset(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (!fileFd && errno != ENOENT)
            return FromErrno(errno);
    } else {
        // An unreadable directory: only rewriting in place is left, locked on
        // the file, which then stays the same file.
        fileFd.Reset(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
        if (!fileFd)
            return errno == ENOENT ? kAccessDenied : FromErrno(errno);
        LockExclusive(fileFd.Get());
    }
    const bool exists = static_cast<bool>(fileFd);

    struct stat st {};
    std::string text;
    if (exists) {
        if (::fstat(fileFd.Get(), &st) != 0)
            return FromErrno(errno);
        if (const std::uint32_t code = CheckRegular(st))
            return code;
        if (IsReadOnly(st))
            return kAccessDenied;
        if (const std::uint32_t code =
                ReadAll(fileFd.Get(), static_cast<std::size_t>(st.st_size), text))
            return code;
    }
    const bool utf16 = IsUtf16(text);
    if (utf16)
        text = FromUtf16(text);
    std::string next;
    // A fixed name is safe under the lock, and the next write clears what a
    // killed writer left behind, even a write that leaves the file as it is.
    const std::string temp = dir + "/." + BaseName(target) + ".tmp~";
    if (!edit(text, exists, next) || (exists && next == text)) {
        if (dirFd)
            ::unlink(temp.c_str());
        return kSuccess;
    }
    if (utf16)
        next = ToUtf16(next);

    auto rewriteInPlace = [&]() -> std::uint32_t {
        const UniqueFd out(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        if (!out)
            return FromErrno(errno);
        if (const std::uint32_t code = WriteAll(out.Get(), next))
            return code;
        if (::ftruncate(out.Get(), static_cast<off_t>(next.size())) != 0)
            return FromErrno(errno);
        if (flushToDisk_ && ::fsync(out.Get()) != 0)
            return FromErrno(errno);
        return kSuccess;
    };
    if (!dirFd)
        return rewriteInPlace();

    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) {
        const int e = errno;
        if (exists && (e == EACCES || e == EPERM || e == EROFS))
            return rewriteInPlace();
        return FromErrno(e);
    }
    UniqueFd out(
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
    if (!out) {
        const int e = errno;
        if (exists && (e == EACCES || e == EPERM || e == EROFS))
            return rewriteInPlace();
        return e == ENOENT ? kPathNotFound : FromErrno(e);
    }
    auto abandon = [&](int e) {
        out.Reset();
        ::unlink(temp.c_str());
        return FromErrno(e);
    };
    if (exists) {
        // Ownership can only be kept by a privileged writer; the mode always.
        [[maybe_unused]] const int owned = ::fchown(out.Get(), st.st_uid, st.st_gid);
        if (::fchmod(out.Get(), st.st_mode & 07777) != 0)
            return abandon(errno);
    }
    if (const std::uint32_t code = WriteAll(out.Get(), next)) {
        out.Reset();
        ::unlink(temp.c_str());
        return code;
    }
    if (flushToDisk_ && ::fsync(out.Get()) != 0)
        return abandon(errno);
    if (::close(out.Release()) != 0)
        return abandon(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return abandon(errno);
    if (flushToDisk_)
        ::fsync(dirFd.Get());
    return kSuccess;
}

std::uint32_t PosixProfile::GetLastError() {
    return t_lastError;
}

std::uint32_t PosixProfile::FormatMessageA(std::uint32_t flags, const void* /*source*/,
                                           std::uint32_t messageId, std::uint32_t languageId,
                                           char* buffer, std::uint32_t size, void* /*arguments*/) {
    constexpr std::uint32_t kAllocateBuffer = 0x00000100;
    if ((flags & kFormatMessageFromSystem) == 0 || (flags & kAllocateBuffer) != 0 ||
        buffer == nullptr)
        return Fail(kInvalidParameter);
    // Language 0 (the default choice) or any English sublanguage.
    if (languageId != 0 && (languageId & 0x3ff) != 0x09)
        return Fail(kLanguageNotFound);
    const char* text = MessageText(messageId);
    if (text == nullptr)
        return Fail(kMessageNotFound);
    const std::size_t length = std::strlen(text);
    if (length + 1 > size)
        return Fail(kInsufficientBuffer);
    std::memcpy(buffer, text, length + 1);
    return static_cast<std::uint32_t>(length);
}

ProfileFunctions& SystemProfile() {
    static PosixProfile profile(
        [](const std::string& name) { return PathMap::System().ToNative(name); });
    return profile;
}

} // namespace platform
