// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile_posix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/files/paths.h"
#include "platform/files/paths_posix.h"
#include "platform/posix/dirs_posix.h"
#include "platform/posix/file_io_posix.h"
#include "platform/posix/lock_posix.h"
#include "platform/posix/utf8_posix.h"
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

using file_io::UniqueFd;
using posix::BaseName;
using posix::DirName;

constexpr auto kLockWait = PosixProfile::kLockWait;

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
    return FromErrno(file_io::ReadAll(fd, sizeHint, text));
}

std::uint32_t WriteAll(int fd, std::string_view data) {
    return FromErrno(file_io::WriteAll(fd, data));
}

// The file's content becomes bytes, written over the old from its start.
std::uint32_t Overwrite(int fd, std::string_view bytes, bool sync) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return FromErrno(errno);
    if (const std::uint32_t code = WriteAll(fd, bytes))
        return code;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || (sync && ::fsync(fd) != 0))
        return FromErrno(errno);
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

bool Lock(int fd, int how) {
    return posix::LockWithin(fd, how, kLockWait);
}

// Writable by this user, as Windows would open it: the mode and ACLs of the
// file itself, not only its directory's, decide.
std::uint32_t OpenForWriting(const std::string& path, const struct stat& st, UniqueFd& fd) {
    fd.Reset(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        return FromErrno(errno);
    struct stat now {};
    if (::fstat(fd.Get(), &now) != 0)
        return FromErrno(errno);
    return now.st_dev == st.st_dev && now.st_ino == st.st_ino ? kSuccess : kSharingViolation;
}

// The new file gets every extended attribute of the old (POSIX ACLs are
// among them) and no other: one a default ACL gave it would change who may
// read it. False when that cannot be done.
bool CopyAttributes(int from, int to) {
    const auto names = [](int fd, std::vector<std::string>& list) {
        std::string bytes;
        for (;;) {
            const ssize_t size = ::flistxattr(fd, nullptr, 0);
            if (size < 0)
                return errno == ENOTSUP;
            bytes.resize(static_cast<std::size_t>(size));
            const ssize_t got = ::flistxattr(fd, bytes.data(), bytes.size());
            if (got >= 0) {
                bytes.resize(static_cast<std::size_t>(got));
                break;
            }
            if (errno != ERANGE)
                return false;
        }
        for (std::size_t at = 0; at < bytes.size(); at += list.back().size() + 1)
            list.emplace_back(bytes.c_str() + at);
        return true;
    };
    const auto value = [](int fd, const std::string& name, std::string& bytes) {
        for (bytes.resize(256);; bytes.resize(bytes.size() * 4)) {
            const ssize_t size = ::fgetxattr(fd, name.c_str(), bytes.data(), bytes.size());
            if (size >= 0) {
                bytes.resize(static_cast<std::size_t>(size));
                return true;
            }
            if (errno != ERANGE)
                return false;
        }
    };
    std::vector<std::string> wanted, present;
    if (!names(from, wanted) || !names(to, present))
        return false;
    std::string want, have;
    for (const std::string& name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() &&
            ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    for (const std::string& name : wanted) {
        if (!value(from, name, want))
            return false;
        if (value(to, name, have) && have == want)
            continue;
        if (::fsetxattr(to, name.c_str(), want.data(), want.size(), 0) != 0)
            return false;
    }
    return true;
}

// Whether the new file `out` can take the old one's place as it was: owner,
// group, mode and extended attributes. Only a privileged writer can give it
// another owner.
bool TakesThePlaceOf(int out, int old, const struct stat& st) {
    struct stat made {};
    if (::fstat(out, &made) != 0)
        return false;
    if ((made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
        ::fchown(out, st.st_uid, st.st_gid) != 0)
        return false;
    return ::fchmod(out, st.st_mode & 07777) == 0 && CopyAttributes(old, out);
}

// Both cases of "not enough room" leave the list with two NULs, as Windows does.
// The list of section names needs one spare byte more: Windows reports an
// exact fit as cut short.
std::uint32_t FillList(std::string_view list, char* buffer, std::uint32_t size, bool& truncated,
                       std::size_t spare = 0) {
    if (size == 0) {
        truncated = !list.empty();
        return 0;
    }
    truncated = list.size() + 1 + (list.empty() ? 0 : spare) > size;
    if (!truncated) {
        std::copy(list.begin(), list.end(), buffer);
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

// The list as the caller gets it: its items, each ending in its NUL.
std::uint32_t ListResult(std::string_view list, char* buffer, std::uint32_t size,
                         std::uint32_t notFoundCode, std::size_t spare = 0) {
    bool truncated = false;
    const std::uint32_t count = FillList(list, buffer, size, truncated, spare);
    t_lastError = truncated ? kMoreData : (list.empty() ? notFoundCode : kSuccess);
    return count;
}

template <typename Strings> std::string Joined(const Strings& items) {
    std::string list;
    for (const auto& item : items)
        list.append(item).push_back('\0');
    return list;
}

std::vector<std::string_view> Views(const std::vector<std::string>& strings) {
    return {strings.begin(), strings.end()};
}

// The 8-bit functions take and give text in the system code page,
// Windows-1252 here. Wine reads a file that starts with a UTF-8 byte-order
// mark as UTF-8, and a UTF-16LE one (FF FE) as Unicode, as Windows does:
// their names and values pass through the code page on the way in and out.
// A UTF-16 file is held as UTF-8 behind its mark while it is edited, so
// that lines a write does not touch keep every character. Characters outside
// the code page, and bytes that are no UTF-8, read as "?"; the five bytes that
// 1252 leaves unassigned map to the control characters of the same value.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE");
}

bool HasUtf8Mark(std::string_view text) {
    return text.starts_with(ini::kUtf8Mark);
}

char To1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < std::size(kHigh1252); ++i) {
        if (kHigh1252[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

char16_t From1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x80 && b < 0xA0) ? kHigh1252[b - 0x80] : b;
}

// The next character of UTF-8 text, or nothing for a byte that starts none
// (then one byte is taken). Surrogates are taken, for the UTF-16 files.
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    const std::size_t more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (more == 0 || b > 0xF4 || i + more > s.size())
        return std::nullopt;
    char32_t u = b & (0x3F >> more);
    for (std::size_t k = 0; k < more; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return std::nullopt;
        u = (u << 6) | (c & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (u < kLeast[more] || u > 0x10FFFF)
        return std::nullopt;
    i += more;
    return u;
}

std::string Utf8To1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto u = NextUtf8(s, i);
        out.push_back(u ? To1252(*u) : '?');
    }
    return out;
}

std::string Utf8From1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s)
        AppendUtf8(out, From1252(c));
    return out;
}

void Utf16ToUtf8(std::string_view bytes, std::string& text) {
    text.assign(ini::kUtf8Mark);
    text.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(text, u);
    }
}

void Utf8ToUtf16(std::string_view text, std::string& bytes) {
    text.remove_prefix(ini::kUtf8Mark.size());
    bytes.assign("\xFF\xFE");
    bytes.reserve(2 + text.size() * 2);
    const auto put = [&](char32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    };
    for (std::size_t i = 0; i < text.size();) {
        const char32_t u = NextUtf8(text, i).value_or(U'?');
        if (u >= 0x10000) {
            put(0xD800 + ((u - 0x10000) >> 10));
            put(0xDC00 + ((u - 0x10000) & 0x3FF));
        } else {
            put(u);
        }
    }
}

// How the file spells what the caller gives and gets.
class Spelling {
public:
    explicit Spelling(std::string_view text) : utf8_(HasUtf8Mark(text)) {}
    std::string In(std::string_view s) const { return utf8_ ? Utf8From1252(s) : std::string(s); }
    // A NUL is the same byte in both and never part of a UTF-8 sequence, so a
    // whole list spells as its items do.
    std::string Out(std::string_view s) const { return utf8_ ? Utf8To1252(s) : std::string(s); }

private:
    bool utf8_;
};

// A file whose write bits are all clear is read-only, for root too, as a file
// with the read-only attribute is on Windows.
bool IsReadOnly(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The same file, unchanged as far as its identity, size and times tell.
bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

std::chrono::system_clock::time_point TimeOf(const struct timespec& t) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)));
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
    return TimeOf(st.st_ctim) + PosixProfile::kSettledAfter <= now && TimeOf(st.st_mtim) <= now;
}

// One WritePrivateProfileStringA on the text; false when there is nothing to write.
bool EditValue(std::string_view text, bool exists, const char* section, const char* key,
               const char* value, std::string& out) {
    const Spelling spelling(text);
    if (key == nullptr) {
        ini::RemoveSection(text, spelling.In(section), out);
        return exists;
    }
    if (value == nullptr) {
        ini::RemoveKey(text, spelling.In(section), spelling.In(key), out);
        return exists;
    }
    ini::SetValue(text, spelling.In(section), spelling.In(key), spelling.In(value), out);
    return true;
}

// The buffers of a write, kept from one write to the next: freed, a big
// file's would go back to the system and be faulted in anew by every write.
struct WriteBuffers {
    std::string raw, text, next, wide;
};
thread_local WriteBuffers t_buffers;

} // namespace

PosixProfile::PosixProfile(Resolver toNative)
    : PosixProfile(std::move(toNative), [] { return UserStateDir(); }) {}

PosixProfile::PosixProfile(Resolver toNative, KeepDir keepDir, bool flushToDisk)
    : toNative_(std::move(toNative)), kept_(std::move(keepDir)), flushToDisk_(flushToDisk) {}

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

std::uint32_t PosixProfile::Load(const char* fileName,
                                 std::shared_ptr<const Parsed>& parsed) const {
    parsed.reset();
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
    // A rewrite in place holds the file's lock until it is done.
    if (!Lock(fd.Get(), LOCK_SH))
        return kSharingViolation;
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    const bool cut = kept_.Find(st).has_value();
    if (auto kept = KeptParse(st); kept && !cut) {
        parsed = std::move(kept);
        return kSuccess;
    }
    auto fresh = std::make_shared<Parsed>();
    std::string& text = fresh->text;
    if (const std::uint32_t code = ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), text))
        return code;
    if (cut) {
        // A cut rewrite: finished under the writers' lock, on the bytes as they are then.
        if (!Lock(fd.Get(), LOCK_EX))
            return kSharingViolation;
        if (::lseek(fd.Get(), 0, SEEK_SET) != 0)
            return FromErrno(errno);
        if (const std::uint32_t code =
                ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), text))
            return code;
        text = FinishCut(path, fd.Get(), std::move(text));
    }
    if (IsUtf16(text)) {
        std::string utf8;
        Utf16ToUtf8(text, utf8);
        text = std::move(utf8);
    }
    // Kept only when nothing changed the file while it was read.
    struct stat after {};
    const auto now = std::chrono::system_clock::now();
    fresh->st = st;
    if (!cut && ::fstat(fd.Get(), &after) == 0 && SameFile(st, after) &&
        Settled(fd.Get(), st, now)) {
        fresh->keptAt = now;
        fresh->index.emplace(text);
        KeepParse(fresh);
    }
    parsed = std::move(fresh);
    return kSuccess;
}

std::shared_ptr<const PosixProfile::Parsed> PosixProfile::KeptParse(const struct stat& st) const {
    const std::lock_guard lock(parsedMutex_);
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

void PosixProfile::KeepParse(std::shared_ptr<const Parsed> parsed) const {
    constexpr std::size_t kFiles = 4;
    const std::lock_guard lock(parsedMutex_);
    std::erase_if(parsed_, [&](const auto& kept) {
        return kept->st.st_dev == parsed->st.st_dev && kept->st.st_ino == parsed->st.st_ino;
    });
    if (parsed_.size() == kFiles)
        parsed_.erase(parsed_.begin());
    parsed_.push_back(std::move(parsed));
}

void PosixProfile::ForgetParses() const {
    const std::lock_guard lock(parsedMutex_);
    parsed_.clear();
}

std::uint32_t PosixProfile::Settle(const char* fileName) {
    std::string path;
    if (const std::uint32_t code = Resolve(fileName, path))
        return code;
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (!fd)
        return OpenError(path, errno);
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    if (CheckRegular(st) != kSuccess || !kept_.Find(st))
        return kSuccess;
    if (!Lock(fd.Get(), LOCK_EX))
        return kSharingViolation;
    std::string raw;
    if (const std::uint32_t code = ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), raw))
        return code;
    FinishCut(path, fd.Get(), std::move(raw));
    return kSuccess;
}

std::uint32_t PosixProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultValue, char* buffer,
                                                     std::uint32_t size, const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    const std::uint32_t loaded = Load(fileName, parsed);
    const std::string_view text = parsed ? std::string_view(parsed->text) : std::string_view();
    const Spelling spelling(text);
    // Without a section the call lists the file's sections: none, when there is no file.
    if (section == nullptr && loaded != kSuccess)
        return ListResult({}, buffer, size, loaded);
    if (loaded == kSuccess && (section == nullptr || key == nullptr)) {
        if (section == nullptr)
            return ListResult(spelling.Out(Joined(ini::SectionNames(text))), buffer, size,
                              kSuccess);
        return ListResult(spelling.Out(Joined(ini::KeyNames(text, spelling.In(section)))), buffer,
                          size, kFileNotFound);
    }
    std::string_view value = defaultValue ? defaultValue : "";
    // Windows drops the default's trailing spaces, not its tabs.
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    std::uint32_t code = loaded;
    std::string found;
    if (loaded == kSuccess) {
        const auto inFile =
            parsed->index ? parsed->index->FindValue(text, spelling.In(section), spelling.In(key))
                          : ini::FindValue(text, spelling.In(section), spelling.In(key));
        if (inFile)
            value = found = spelling.Out(*inFile);
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
    if (section == nullptr || buffer == nullptr)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    if (const std::uint32_t code = Load(fileName, parsed)) {
        ListResult({}, buffer, size, code);
        return 0;
    }
    const std::string_view text = parsed->text;
    const Spelling spelling(text);
    const auto entries = ini::SectionEntries(text, spelling.In(section));
    if (!entries) {
        ListResult({}, buffer, size, kFileNotFound);
        return 0;
    }
    return ListResult(spelling.Out(Joined(*entries)), buffer, size, kSuccess);
}

std::uint32_t PosixProfile::GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                           const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    if (const std::uint32_t code = Load(fileName, parsed)) {
        // Windows leaves a single NUL here, not two.
        if (size > 0)
            buffer[0] = '\0';
        return Fail(code);
    }
    const std::string_view text = parsed->text;
    return ListResult(Spelling(text).Out(Joined(ini::SectionNames(text))), buffer, size, kSuccess,
                      1);
}

std::int32_t PosixProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                                      const char* value, const char* fileName) {
    if (section == nullptr) {
        // Windows flushes its cache here and then always returns FALSE,
        // leaving the last error as it was; the kept parses go likewise.
        if (key == nullptr && value == nullptr) {
            ForgetParses();
            return 0;
        }
        return WriteResult(key != nullptr ? kFileNotFound : kInvalidParameter);
    }
    if (!ini::IsWritableSection(section) || (key && !ini::IsWritableKey(key)) ||
        (value && !ini::IsWritableValue(value)))
        return WriteResult(kInvalidParameter);
    if (Held(section, key, value, fileName))
        return WriteResult(kSuccess);
    const std::uint32_t code =
        Rewrite(fileName, [&](std::string_view text, bool exists, std::string& out) {
            return EditValue(text, exists, section, key, value, out);
        });
    return WriteResult(code);
}

std::int32_t PosixProfile::ApplyWrites(const std::string& fileName,
                                       const std::vector<HeldWrite>& writes) {
    const std::uint32_t code =
        Rewrite(fileName.c_str(), [&](std::string_view text, bool exists, std::string& out) {
            std::string now(text), next;
            bool any = false;
            for (const HeldWrite& w : writes) {
                if (EditValue(now, exists, w.section.c_str(), w.key ? w.key->c_str() : nullptr,
                              w.value ? w.value->c_str() : nullptr, next)) {
                    now.swap(next);
                    any = true;
                }
            }
            out = std::move(now);
            return any;
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
        Rewrite(fileName, [&](std::string_view text, bool exists, std::string& out) {
            const Spelling spelling(text);
            if (entries == nullptr) {
                ini::RemoveSection(text, spelling.In(section), out);
                return exists;
            }
            std::vector<std::string> spelt;
            for (const std::string_view line : lines)
                spelt.push_back(spelling.In(line));
            ini::ReplaceSection(text, spelling.In(section), Views(spelt), out);
            return true;
        });
    return WriteResult(code);
}

std::uint32_t PosixProfile::Rewrite(const char* fileName, const Edit& edit) const {
    // Before and after: a reader in another thread may keep a parse meanwhile.
    ForgetParses();
    struct ForgetAfter {
        const PosixProfile& profile;
        ~ForgetAfter() { profile.ForgetParses(); }
    } forgetAfter{*this};
    std::string native;
    if (const std::uint32_t code = Resolve(fileName, native))
        return code;
    std::string target;
    if (const std::uint32_t code = FollowLinks(native, target))
        return code;
    const std::string dir = DirName(target);

    // Writers lock the directory where they can: each write puts a new file
    // in the old one's place, so the file alone cannot carry the lock. Where
    // the directory cannot be read (mode 0333), the file's lock serialises
    // them, taken anew when another writer replaced the file meanwhile.
    UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd) {
        if (errno == ENOENT || errno == ENOTDIR)
            return kPathNotFound;
        if (errno != EACCES)
            return FromErrno(errno);
    }
    if (dirFd && !Lock(dirFd.Get(), LOCK_EX))
        return kSharingViolation;
    UniqueFd fileFd;
    struct stat st {};
    bool made = false; // an empty file of ours, there only to carry the lock
    const auto undoMade = [&](std::uint32_t code) {
        if (made)
            ::unlink(target.c_str());
        return code;
    };
    for (;;) {
        fileFd.Reset(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (!fileFd) {
            if (errno != ENOENT)
                return FromErrno(errno);
            if (dirFd)
                break;
            const UniqueFd created(
                ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!created && errno != EEXIST)
                return errno == ENOENT ? kPathNotFound : FromErrno(errno);
            made = static_cast<bool>(created);
            continue;
        }
        if (::fstat(fileFd.Get(), &st) != 0)
            return undoMade(FromErrno(errno));
        if (const std::uint32_t code = CheckRegular(st))
            return code;
        if (!Lock(fileFd.Get(), LOCK_EX))
            return undoMade(kSharingViolation);
        struct stat now {};
        if (::stat(target.c_str(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino)
            break;
        made = false;
    }
    const bool exists = fileFd && !made;

    std::string& raw = t_buffers.raw; // the file's bytes as they are on disk
    raw.clear();
    UniqueFd writeFd;
    if (exists) {
        if (IsReadOnly(st))
            return kAccessDenied;
        // Windows refuses a file its writer may not write, even where the
        // directory would let a new one take its place.
        if (const std::uint32_t code = OpenForWriting(target, st, writeFd))
            return code;
        if (const std::uint32_t code =
                ReadAll(fileFd.Get(), static_cast<std::size_t>(st.st_size), raw))
            return code;
        raw = FinishCut(target, fileFd.Get(), std::move(raw));
    }
    const bool utf16 = IsUtf16(raw);
    std::string_view text = raw;
    if (utf16) {
        Utf16ToUtf8(raw, t_buffers.text);
        text = t_buffers.text;
    }
    std::string& edited = t_buffers.next;
    // A fixed name is safe under the lock, and the next write clears what a
    // killed writer left behind, even a write that leaves the file as it is.
    const std::string temp = dir + "/." + BaseName(target) + ".tmp~";
    if (!edit(text, exists, edited) || (exists && edited == text)) {
        ::unlink(temp.c_str());
        return undoMade(kSuccess);
    }
    if (utf16)
        Utf8ToUtf16(edited, t_buffers.wide);
    const std::string& next = utf16 ? t_buffers.wide : edited;

    // A new file would break the other names of a hard-linked one.
    if (exists && st.st_nlink > 1)
        return RewriteInPlace(writeFd.Get(), st, raw, next);
    // A directory that takes no new file leaves only rewriting in place.
    const auto refused = [&](int e) { return exists && (e == EACCES || e == EPERM || e == EROFS); };
    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) {
        const int e = errno;
        return refused(e) ? RewriteInPlace(writeFd.Get(), st, raw, next) : undoMade(FromErrno(e));
    }
    UniqueFd out(
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
    if (!out) {
        const int e = errno;
        if (refused(e))
            return RewriteInPlace(writeFd.Get(), st, raw, next);
        return undoMade(e == ENOENT ? kPathNotFound : FromErrno(e));
    }
    auto abandon = [&](std::uint32_t code) {
        out.Reset();
        ::unlink(temp.c_str());
        return undoMade(code);
    };
    if (exists && !TakesThePlaceOf(out.Get(), fileFd.Get(), st)) {
        abandon(kSuccess);
        return RewriteInPlace(writeFd.Get(), st, raw, next);
    }
    if (const std::uint32_t code = WriteAll(out.Get(), next))
        return abandon(code);
    if (flushToDisk_ && ::fsync(out.Get()) != 0)
        return abandon(FromErrno(errno));
    if (::close(out.Release()) != 0)
        return abandon(FromErrno(errno));
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return abandon(FromErrno(errno));
    // The new name is on disk before the call returns. A directory that
    // cannot be read cannot be synced alone: its whole file system is.
    if (flushToDisk_ && (dirFd ? ::fsync(dirFd.Get()) : ::syncfs(fileFd.Get())) != 0 &&
        errno != EINVAL)
        return FromErrno(errno);
    return kSuccess;
}

// The caller holds the file's lock. No byte of the old text changes before
// the new text has its room on disk and both texts are kept aside; a failure
// puts the old text back at once, or else the next access finishes the
// rewrite.
std::uint32_t PosixProfile::RewriteInPlace(int fd, const struct stat& st, const std::string& old,
                                           const std::string& next) const {
#ifdef FALLOC_FL_KEEP_SIZE
    if (next.size() > old.size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(next.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        const int e = errno;
        // Gives back what was reserved beyond the end.
        [[maybe_unused]] const int freed = ::ftruncate(fd, static_cast<off_t>(old.size()));
        return FromErrno(e);
    }
#endif
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return FromErrno(errno);
    if (const int e = kept_.Keep(now, old, next))
        return e == KeptCopies::kNoPlace ? kNoPlaceForOldContent : FromErrno(e);
    const std::uint32_t code = StepByStep(fd, old, next);
    if (code == kSuccess || Overwrite(fd, old, flushToDisk_) == kSuccess)
        kept_.Forget(st);
    return code;
}

// Page by page, each page that changes recorded before it is written: a kill
// falls between two pages' writes, never inside one.
std::uint32_t PosixProfile::StepByStep(int fd, const std::string& old,
                                       const std::string& next) const {
    constexpr std::size_t kPage = 4096;
    const auto step = [&](std::size_t from, std::size_t to) {
        struct stat now {};
        if (::fstat(fd, &now) != 0)
            return FromErrno(errno);
        return kept_.Step(now, from, to) ? kSuccess : kGenFailure;
    };
    for (std::size_t from = 0; from < next.size(); from += kPage) {
        const std::size_t to = std::min(next.size(), from + kPage);
        if (to <= old.size() && next.compare(from, to - from, old, from, to - from) == 0)
            continue;
        if (const std::uint32_t code = step(from, to))
            return code;
        for (std::size_t at = from; at < to;) {
            const ssize_t n = ::pwrite(fd, next.data() + at, to - at, static_cast<off_t>(at));
            if (n < 0 && errno != EINTR)
                return FromErrno(errno);
            at += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
    }
    if (old.size() != next.size()) {
        if (const std::uint32_t code = step(next.size(), next.size() + 1))
            return code;
        if (::ftruncate(fd, static_cast<off_t>(next.size())) != 0)
            return FromErrno(errno);
    }
    if (flushToDisk_ && ::fsync(fd) != 0)
        return FromErrno(errno);
    return kSuccess;
}

// A cut rewrite in place is finished rather than undone: the user asked for
// its text, the copy holds it whole, and a rewrite that got done but not
// forgotten is never turned back. A file that is not what the cut left means
// that someone wrote since: theirs stays, and the copy goes.
std::string PosixProfile::FinishCut(const std::string& path, int fd, std::string raw) const {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return raw;
    auto cut = kept_.Find(st);
    if (!cut)
        return raw;
    if (!IsOwnCut(*cut, st, raw)) {
        kept_.Forget(st);
        return raw;
    }
    ForgetParses();
    UniqueFd out;
    if (OpenForWriting(path, st, out) == kSuccess &&
        Overwrite(out.Get(), cut->next, true) == kSuccess)
        kept_.Forget(st);
    return std::move(cut->next);
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

namespace {

// A name without a directory lives in the Windows directory, as Windows and
// Wine look for it, never in whatever directory the program was started from.
std::string SystemNative(const std::string& name) {
    if (name.find_first_of("\\/") == std::string::npos) {
        const std::string prefix = WinePrefixDir();
        return prefix.empty() ? std::string() : prefix + "/drive_c/windows/" + name;
    }
    return PathMap::System().ToNative(name);
}

PosixProfile& SystemPosixProfile() {
    static PosixProfile profile(SystemNative);
    return profile;
}

} // namespace

ProfileFunctions& SystemProfile() {
    return SystemPosixProfile();
}

bool SettleCutWrites(const std::string& systemFileName) {
    return SystemPosixProfile().Settle(systemFileName.c_str()) != winerr::kSharingViolation;
}

} // namespace platform
