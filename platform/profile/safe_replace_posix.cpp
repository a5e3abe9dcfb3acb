// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/safe_replace_posix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "platform/posix/dirs_posix.h"
#include "platform/posix/file_io_posix.h"
#include "platform/posix/lock_posix.h"
#include "platform/profile/code_page_posix.h"
#include "platform/profile/errno_codes_posix.h"
#include "platform/profile/profile_errors.h"

namespace platform::safe_replace {

namespace {

using namespace winerr;
using file_io::UniqueFd;
using posix::BaseName;
using posix::DirName;

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

// A file whose write bits are all clear is read-only, for root too, as a file
// with the read-only attribute is on Windows.
bool IsReadOnly(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The buffers of a write, kept from one write to the next: freed, a big
// file's would go back to the system and be faulted in anew by every write.
struct WriteBuffers {
    std::string raw, text, next, wide;
    Splice splice;
};
thread_local WriteBuffers t_buffers;

// Page by page, each page that changes recorded before it is written: a kill
// falls between two pages' writes, never inside one.
std::uint32_t StepByStep(int fd, const std::string& old, const std::string& next,
                         const Context& context) {
    constexpr std::size_t kPage = 4096;
    const auto step = [&](std::size_t from, std::size_t to) {
        struct stat now {};
        if (::fstat(fd, &now) != 0)
            return FromErrno(errno);
        return context.kept.Step(now, from, to) ? kSuccess : kGenFailure;
    };
    for (std::size_t from = 0; from < next.size(); from += kPage) {
        const std::size_t to = std::min(next.size(), from + kPage);
        if (to <= old.size() && next.compare(from, to - from, old, from, to - from) == 0)
            continue;
        if (const std::uint32_t code = step(from, to))
            return code;
        for (std::size_t at = from; at < to;) {
            const ssize_t n = ::pwrite(fd, next.data() + at, to - at, static_cast<off_t>(at));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n < 0 ? FromErrno(errno) : kIoDevice;
            at += static_cast<std::size_t>(n);
        }
    }
    if (old.size() != next.size()) {
        if (const std::uint32_t code = step(next.size(), next.size() + 1))
            return code;
        if (::ftruncate(fd, static_cast<off_t>(next.size())) != 0)
            return FromErrno(errno);
    }
    if (context.flush && ::fsync(fd) != 0)
        return FromErrno(errno);
    return kSuccess;
}

// The caller holds the file's lock. No byte of the old text changes before
// the new text has its room on disk and both texts are kept aside; a failure
// puts the old text back at once, or else the next access finishes the
// rewrite.
std::uint32_t RewriteInPlace(int fd, const struct stat& st, const std::string& old,
                             const std::string& next, const Context& context) {
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
    if (const int e = context.kept.Keep(now, old, next))
        return e == KeptCopies::kNoPlace ? kNoPlaceForOldContent : FromErrno(e);
    const std::uint32_t code = StepByStep(fd, old, next, context);
    if (code == kSuccess || Overwrite(fd, old, context.flush) == kSuccess)
        context.kept.Forget(st);
    return code;
}

// The spliced text made whole, in `out`.
void Join(std::string_view text, const Splice& splice, std::string& out) {
    out.clear();
    out.reserve(text.size() - (splice.to - splice.from) + splice.middle.size());
    out.append(text.substr(0, splice.from)).append(splice.middle).append(text.substr(splice.to));
}

std::uint32_t WriteSplice(int fd, std::string_view text, const Splice& splice) {
    if (const std::uint32_t code = WriteAll(fd, text.substr(0, splice.from)))
        return code;
    if (const std::uint32_t code = WriteAll(fd, splice.middle))
        return code;
    return WriteAll(fd, text.substr(splice.to));
}

} // namespace

// A cut rewrite in place is finished rather than undone: the user asked for
// its text, the copy holds it whole, and a rewrite that got done but not
// forgotten is never turned back. A file that is not what the cut left means
// that someone wrote since: theirs stays, and the copy goes.
std::string FinishCut(const std::string& path, int fd, std::string raw, const Context& context) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return raw;
    auto cut = context.kept.Find(st);
    if (!cut)
        return raw;
    if (!IsOwnCut(*cut, st, raw)) {
        context.kept.Forget(st);
        return raw;
    }
    context.changed();
    UniqueFd out;
    if (OpenForWriting(path, st, out) == kSuccess &&
        Overwrite(out.Get(), cut->next, true) == kSuccess)
        context.kept.Forget(st);
    return std::move(cut->next);
}

std::uint32_t Replace(const std::string& native, const Context& context, const Edit& edit) {
    // Before and after: a reader in another thread may keep a parse meanwhile.
    context.changed();
    struct ChangedAfter {
        const Context& context;
        ~ChangedAfter() { context.changed(); }
    } changedAfter{context};
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
    if (dirFd && !posix::LockWithin(dirFd.Get(), LOCK_EX, context.lockWait))
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
        if (!posix::LockWithin(fileFd.Get(), LOCK_EX, context.lockWait))
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
        raw = FinishCut(target, fileFd.Get(), std::move(raw), context);
    }
    const bool utf16 = codepage::IsUtf16(raw);
    std::string_view text = raw;
    if (utf16) {
        codepage::Utf16ToUtf8(raw, t_buffers.text);
        text = t_buffers.text;
    }
    Splice& splice = t_buffers.splice;
    splice.from = splice.to = 0;
    splice.middle.clear();
    // A fixed name is safe under the lock, and the next write clears what a
    // killed writer left behind, even a write that leaves the file as it is.
    const std::string temp = dir + "/." + BaseName(target) + ".tmp~";
    if (!edit(text, exists, splice) ||
        (exists && splice.middle == text.substr(splice.from, splice.to - splice.from))) {
        ::unlink(temp.c_str());
        return undoMade(kSuccess);
    }
    // The new bytes made whole only where they must be: to be encoded, or
    // to be kept aside for a rewrite in place. Each way out asks once.
    const auto next = [&]() -> const std::string& {
        Join(text, splice, t_buffers.next);
        if (!utf16)
            return t_buffers.next;
        codepage::Utf8ToUtf16(t_buffers.next, t_buffers.wide);
        return t_buffers.wide;
    };

    // A new file would break the other names of a hard-linked one.
    if (exists && st.st_nlink > 1)
        return RewriteInPlace(writeFd.Get(), st, raw, next(), context);
    // A directory that takes no new file leaves only rewriting in place.
    const auto refused = [&](int e) { return exists && (e == EACCES || e == EPERM || e == EROFS); };
    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) {
        const int e = errno;
        return refused(e) ? RewriteInPlace(writeFd.Get(), st, raw, next(), context)
                          : undoMade(FromErrno(e));
    }
    UniqueFd out(
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
    if (!out) {
        const int e = errno;
        if (refused(e))
            return RewriteInPlace(writeFd.Get(), st, raw, next(), context);
        return undoMade(e == ENOENT ? kPathNotFound : FromErrno(e));
    }
    auto abandon = [&](std::uint32_t code) {
        out.Reset();
        ::unlink(temp.c_str());
        return undoMade(code);
    };
    if (exists && !TakesThePlaceOf(out.Get(), fileFd.Get(), st)) {
        abandon(kSuccess);
        return RewriteInPlace(writeFd.Get(), st, raw, next(), context);
    }
    if (const std::uint32_t code =
            utf16 ? WriteAll(out.Get(), next()) : WriteSplice(out.Get(), text, splice))
        return abandon(code);
    if (context.flush && ::fsync(out.Get()) != 0)
        return abandon(FromErrno(errno));
    if (::close(out.Release()) != 0)
        return abandon(FromErrno(errno));
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return abandon(FromErrno(errno));
    // The new name is on disk before the call returns. A directory that
    // cannot be read cannot be synced alone: its whole file system is.
    if (context.flush && (dirFd ? ::fsync(dirFd.Get()) : ::syncfs(fileFd.Get())) != 0 &&
        errno != EINVAL)
        return FromErrno(errno);
    return kSuccess;
}

} // namespace platform::safe_replace
