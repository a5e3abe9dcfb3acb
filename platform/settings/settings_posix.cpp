// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings_posix.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_text_posix.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <limits.h>
#include <optional>
#include <pwd.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/dirs_posix.h"
#include "platform/posix/file_io_posix.h"
#include "platform/posix/lock_posix.h"

namespace platform {
namespace {

using file_io::UniqueFd;
using settings_text::EscapedName;

constexpr off_t kLargestFile = 1 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr auto kLockWait = std::chrono::milliseconds(1500);

// The file's bytes, or why it cannot be used; nothing when it is absent.
struct Contents {
    bool exists = false;
    bool mark = false; // a UTF-8 byte-order mark before the bytes, as some editors save
    bool foreign = false;
    std::string bytes;
    std::string damage; // for the user: "is not a regular file", ...
    struct stat st {};  // what the file's name is expected to lead to
    UniqueFd fd;        // the file read, still open: a write into it shows after a replace
    struct stat fdRead {};
};

// The bytes of the file open as `c.fd`, from its start.
void ReadOpen(Contents& c) {
    struct stat& st = c.st;
    if (::fstat(c.fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        c.damage = "is not a regular file";
    } else if (st.st_uid != ::geteuid()) {
        c.foreign = true;
        c.damage = "belongs to another user";
    } else if (st.st_size > kLargestFile) {
        c.damage = "is larger than any settings file (over 1 MiB)";
    } else if (::lseek(c.fd.Get(), 0, SEEK_SET) != 0 ||
               file_io::ReadAll(c.fd.Get(), static_cast<std::size_t>(st.st_size), c.bytes) != 0) {
        c.damage = "could not be read";
    } else {
        c.mark = c.bytes.starts_with(kUtf8Mark);
        if (c.mark)
            c.bytes.erase(0, kUtf8Mark.size());
        if (!settings_text::Parses(c.bytes))
            c.damage = "could not be parsed";
    }
    if (!c.damage.empty())
        c.bytes.clear();
    c.fdRead = st;
}

// Only a file of the user's own is read: another's could name any program
// for Go to start.
Contents ReadStore(const std::string& file) {
    Contents c;
    // O_NONBLOCK: a FIFO in its place must not hold the program up.
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        c.exists = ::lstat(file.c_str(), &c.st) == 0;
        if (c.exists)
            c.damage = S_ISLNK(c.st.st_mode) ? "is a link that leads nowhere" : "could not be read";
        return c;
    }
    c.exists = true;
    c.fd = UniqueFd(fd.Release());
    ReadOpen(c);
    return c;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// A folder of the user's own that nobody else may write: no one can then put
// a link or another file in the settings file's place.
// A group of the user's own name, as systems that give each user a private
// group make it with umask 002, counts as the user's.
bool IsPrivateDir(const std::string& dir) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & S_IWOTH) != 0)
        return false;
    if ((st.st_mode & S_IWGRP) == 0)
        return true;
    std::string buffer(16384, '\0'), names(16384, '\0');
    struct passwd user {};
    struct passwd* u = nullptr;
    struct group group {};
    struct group* g = nullptr;
    return ::getpwuid_r(st.st_uid, &user, buffer.data(), buffer.size(), &u) == 0 && u &&
           ::getgrgid_r(st.st_gid, &group, names.data(), names.size(), &g) == 0 && g &&
           std::strcmp(u->pw_name, g->gr_name) == 0 &&
           (g->gr_mem[0] == nullptr ||
            (std::strcmp(g->gr_mem[0], u->pw_name) == 0 && g->gr_mem[1] == nullptr));
}

// A free name beside the file, so that no earlier damaged file is lost.
std::string AsideName(const std::string& file) {
    std::string aside = file + ".damaged";
    struct stat st {};
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n)
        aside = file + ".damaged-" + std::to_string(n);
    return aside;
}

SaveResult Failed(std::string reason) {
    return {false, std::move(reason), {}};
}

// Written whole under a temporary name in its folder, private from its first
// byte, then put in the file's place unless someone changed the file since
// it was read as `read`: then `changed`, to edit it anew. Someone who wrote
// into it as it was being replaced leaves `late` with their text, which is
// then edited anew over ours.
SaveResult Replace(const std::string& file, const std::string& temp, const std::string& bytes,
                   Contents& read, int dirFd, bool& changed, std::optional<Contents>& late) {
    changed = false;
    late.reset();
    const std::string dir = posix::DirName(file);
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd) {
        const int e = errno;
        if (e == EACCES || e == EPERM || e == EROFS)
            return Failed("the directory " + dir + " is not writable.");
        return Failed(file + " could not be written: " + std::strerror(e) + ".");
    }
    int e = file_io::WriteAll(fd.Get(), bytes);
    if (e == 0 && (::fchmod(fd.Get(), 0600) != 0 || ::fsync(fd.Get()) != 0))
        e = errno;
    if (::close(fd.Release()) != 0 && e == 0)
        e = errno;
    struct stat now {};
    const bool present = ::stat(file.c_str(), &now) == 0;
    changed = e == 0 && (present != read.exists || (present && !SameFile(now, read.st)));
    if (e == 0 && !changed && ::rename(temp.c_str(), file.c_str()) != 0)
        e = errno;
    if (e != 0 || changed) {
        ::unlink(temp.c_str());
        if (e != 0)
            return Failed(file + " could not be written: " + std::strerror(e) + ".");
        return {};
    }
    ::fsync(dirFd);
    struct stat ours {
    }, after{};
    // Size and modification time: the replace itself changes the old file's
    // change time, as it takes away its name.
    if (read.fd && ::stat(file.c_str(), &ours) == 0 && ::fstat(read.fd.Get(), &after) == 0 &&
        (after.st_size != read.fdRead.st_size ||
         after.st_mtim.tv_sec != read.fdRead.st_mtim.tv_sec ||
         after.st_mtim.tv_nsec != read.fdRead.st_mtim.tv_nsec)) {
        late.emplace();
        late->fd = std::move(read.fd);
        late->exists = true;
        ReadOpen(*late);
        late->st = ours; // what the next replace expects to find
        if (!late->damage.empty())
            late.reset(); // nothing of theirs could be kept: ours stands
    }
    return {};
}

class PosixSettingsStore final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        const std::string file = SettingsFilePath(application);
        if (file.empty())
            return {};
        const Contents c = ReadStore(file);
        if (!c.damage.empty())
            return {};
        std::string value = settings_text::Value(c.bytes, EscapedName(section), EscapedName(key));
        // A NUL would cut the text short wherever it goes next: none at all.
        return value.find('\0') == std::string::npos ? value : std::string();
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        const std::string named = SettingsFilePath(application);
        if (named.empty())
            return Failed("no home directory is known for this user, to keep the setting in.");
        if (value.find('\0') != std::string::npos)
            return Failed("the text holds a NUL character, which no setting can keep.");
        std::string file = named;
        struct stat st {};
        const bool link = ::lstat(named.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
        if (link) {
            // Dotfile managers link such files; the link is followed only to a
            // regular file of our own in a folder of our own.
            char real[PATH_MAX];
            if (::realpath(named.c_str(), real) == nullptr || ::stat(real, &st) != 0)
                return Failed(named + " is a link that leads to no file: not written.");
            if (!S_ISREG(st.st_mode))
                return Failed(named + " is a link to " + real +
                              ", which is not a regular file: not written.");
            if (st.st_uid != ::geteuid())
                return Failed(named + " is a link to " + real +
                              ", which belongs to another user: not written.");
            file = real;
        } else if (::lstat(named.c_str(), &st) == 0 && st.st_uid != ::geteuid()) {
            return Failed(named + " belongs to another user: not written.");
        }
        const std::string dir = posix::DirName(file);
        if (posix::MakeDirs(dir) != 0)
            return Failed("the directory " + dir + " could not be created.");
        if (!IsPrivateDir(dir))
            return Failed("the directory " + dir +
                          " belongs to another user or others may write in it: not written.");
        const UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!dirFd)
            return Failed("the directory " + dir + " could not be opened.");
        if (!posix::LockWithin(dirFd.Get(), LOCK_EX, kLockWait))
            return Failed(file + " is being saved by another program: try again in a moment.");
        const std::string temp = dir + "/." + posix::BaseName(file) + ".tmp~";
        ::unlink(temp.c_str()); // what a save killed midway left
        // Someone who writes the file without the lock (an editor) goes first:
        // the save edits their text anew, for as long as a lock is waited for.
        const auto until = std::chrono::steady_clock::now() + kLockWait;
        std::optional<Contents> late;
        while (std::chrono::steady_clock::now() < until) {
            Contents c = late ? std::move(*late) : ReadStore(file);
            std::string note;
            if (!c.damage.empty()) {
                if (link || c.foreign)
                    return Failed(file + " " + c.damage + ": not written.");
                const std::string aside = AsideName(file);
                if (::rename(file.c_str(), aside.c_str()) != 0)
                    return Failed(file + " " + c.damage + " and could not be set aside as " +
                                  aside + ".");
                note = "The settings file " + file + " " + c.damage + ": it was kept as " + aside +
                       " and replaced.";
                c = Contents{};
            } else if (c.exists && ::access(file.c_str(), W_OK) != 0) {
                return Failed(file + " is read-only.");
            }
            std::string bytes =
                settings_text::Edited(c.bytes, EscapedName(section), EscapedName(key), value);
            if (c.mark)
                bytes.insert(0, kUtf8Mark);
            if (bytes.size() > static_cast<std::size_t>(kLargestFile))
                return Failed(file + " would grow past 1 MiB, more than any settings file: " +
                              "not written.");
            bool changed = false;
            SaveResult result = Replace(file, temp, bytes, c, dirFd.Get(), changed, late);
            if (!changed && !late) {
                if (result.ok)
                    result.note = note;
                return result;
            }
        }
        return Failed(file + " kept changing while it was saved: not written.");
    }
};

} // namespace

std::string SettingsFilePath(const std::string& application) {
    const std::string dir = posix::XdgBaseDir("XDG_CONFIG_HOME", ".config");
    return dir.empty() ? dir : dir + "/" + application + ".conf";
}

SettingsStore& SystemSettings() {
    static PosixSettingsStore store;
    return store;
}

} // namespace platform
