// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths_posix.h"
#include "platform/ascii_case.h"

#include "platform/files/short_names_posix.h"
#include "platform/files/windows_names.h"
#include "platform/files/wine_names_posix.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

std::vector<std::string> NamesIn(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.empty() ? "." : dir.c_str())) {
        while (dirent* e = readdir(d)) {
            names.emplace_back(e->d_name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Canonical(const std::string& path) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) == nullptr) {
        return {};
    }
    return buffer;
}

// Drops repeated and trailing slashes ("/a//b/" -> "/a/b").
std::string Tidy(const std::string& native) {
    std::string out;
    for (char c : native) {
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out += c;
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    return out;
}

bool HasPrefixDir(const std::string& path, const std::string& root) {
    if (root == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.compare(0, root.size(), root) == 0 &&
           (path.size() == root.size() || path[root.size()] == '/');
}

std::vector<DriveInfo> SystemDrives() {
    return WinePrefixDrives(WinePrefixDir());
}

} // namespace

std::string WinePrefixDir() {
    if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine) {
        return wine;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::string(home) + "/.wine";
    }
    return {};
}

namespace {

// Where a link says it leads, without asking the target: "../drive_c" read
// from the link's own directory, "." and ".." taken away by name.
std::string LinkTarget(const std::string& link) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    if (n <= 0) {
        return {};
    }
    std::string target(buffer, static_cast<std::size_t>(n));
    if (target[0] != '/') {
        target = link.substr(0, link.rfind('/') + 1) + target;
    }
    std::vector<std::string> parts;
    for (std::size_t start = 1; start <= target.size();) {
        std::size_t end = target.find('/', start);
        if (end == std::string::npos) {
            end = target.size();
        }
        const std::string part = target.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) {
        out += "/" + part;
    }
    return out.empty() ? "/" : out;
}

} // namespace

// Only the links are read, never what they lead to: a target that does not
// answer (a hung network mount) must not keep the window from appearing, and a
// drive is examined when it is chosen, as a drive without its disc is.
std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix) {
    std::vector<DriveInfo> drives;
    if (!prefix.empty()) {
        // The prefix itself by its real path, so that its own drives ("../drive_c")
        // are found again from the real paths the process stands in.
        const std::string real = Canonical(prefix);
        const std::string devices = (real.empty() ? prefix : real) + "/dosdevices";
        for (const std::string& name : NamesIn(devices)) {
            if (name.size() != 2 || name[1] != ':' ||
                !std::isalpha(static_cast<unsigned char>(name[0])) || AsciiUpper(name[0]) == 'Z') {
                continue; // Z: is always the whole file system
            }
            const std::string target = LinkTarget(devices + "/" + name);
            if (!target.empty()) {
                drives.push_back({AsciiUpper(name[0]), target, target});
            }
        }
    }
    drives.push_back({'Z', "/", "/"});
    return drives;
}

// A drive's label here is where its link leads, known from the start.
std::string ReadLabel(const DriveInfo& drive) {
    return drive.label.value_or(std::string());
}

namespace {

// The drive with this letter, if there is one.
const DriveInfo* FindDrive(const PathMap& map, char letter) {
    const DriveInfo* found = nullptr;
    for (const DriveInfo& d : map.Drives()) {
        if (d.letter == letter) {
            found = &d;
        }
    }
    return found;
}

// The drive a system path is written with: its own letter, or for a rooted
// path without one ("\x"), the current directory's; 0 for a relative path.
char WrittenDrive(const PathMap& map, const std::string& systemPath) {
    if (const char letter = DriveLetterOf(systemPath)) {
        return letter;
    }
    return !systemPath.empty() && systemPath[0] == '\\' ? DriveLetterOf(map.CurrentDirectory()) : 0;
}

// `native`, which lies under the drive's root, as a path on that drive.
std::string OnDrive(const DriveInfo& d, const std::string& native) {
    std::string rest = native.substr(d.nativeRoot == "/" ? 1 : d.nativeRoot.size());
    if (!rest.empty() && rest[0] == '/') {
        rest.erase(0, 1);
    }
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, d.letter) + ":\\" + rest;
}

Walked WalkSystemPath(const PathMap& map, const std::string& systemPath, bool shortForms) {
    const bool lettered = DriveLetterOf(systemPath) != 0;
    const DriveInfo* drive = FindDrive(map, WrittenDrive(map, systemPath));
    if (lettered && !drive) {
        return {}; // no such drive here
    }
    const std::string rest = lettered ? systemPath.substr(2) : systemPath;
    if (!drive) {
        return Walk(std::string(), rest, std::string(), shortForms);
    }
    return Walk(drive->nativeRoot, rest, drive->nativeRoot, shortForms);
}

// `native` as a system path on the drive `systemPath` was written with, ending
// in "\\" when that does.
std::string SystemFormLike(const PathMap& map, const std::string& systemPath,
                           const std::string& native) {
    const DriveInfo* drive = FindDrive(map, WrittenDrive(map, systemPath));
    std::string result = drive && HasPrefixDir(native, drive->nativeRoot) ? OnDrive(*drive, native)
                                                                          : map.ToSystem(native);
    if (!systemPath.empty() && systemPath.back() == '\\' && result.back() != '\\') {
        result += '\\';
    }
    return result;
}

} // namespace

std::string LongSystemPath(const PathMap& map, const std::string& systemPath) {
    const std::string native = map.ToNative(systemPath);
    struct stat st {};
    if (native.empty() || stat(native.c_str(), &st) != 0) {
        return {};
    }
    return SystemFormLike(map, systemPath, native);
}

std::string WhyShortFormIsAmbiguous(const PathMap& map, const std::string& systemPath) {
    const Walked walked = WalkSystemPath(map, systemPath, true);
    if (walked.ties.empty()) {
        return {};
    }
    std::string why = systemPath + " could lie in any of these folders, and nothing tells which:";
    for (const std::string& native : walked.ties) {
        why += '\n';
        why += SystemFormLike(map, systemPath, native);
        if (why.back() != '\\') {
            why += '\\';
        }
    }
    return why;
}

namespace {

// The directory a system path leads to, as `shortForms` reads it: its identity,
// or nothing when it is no directory or a short form in it is a tie.
std::optional<std::pair<dev_t, ino_t>> DirectoryAt(const PathMap& map, const std::string& path,
                                                   bool shortForms, std::string* native = nullptr) {
    const Walked walked = WalkSystemPath(map, path, shortForms);
    struct stat st {};
    if (walked.native.empty() || !walked.ties.empty() || stat(walked.native.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    if (native) {
        *native = walked.native;
    }
    return std::pair{st.st_dev, st.st_ino};
}

} // namespace

std::string PathMap::FormLeadingTo(const std::string& dir, const std::string& shortForm,
                                   Reader reader, std::size_t longest) const {
    std::string native;
    const auto target = DirectoryAt(*this, dir, true, &native);
    if (!target || DirectoryAt(*this, shortForm, reader == Reader::ThisProgram) == target) {
        return shortForm;
    }
    // No system short names here: the full name, which every reader finds.
    std::string full = SystemFormLike(*this, dir, native);
    if (full.back() != '\\') {
        full += '\\';
    }
    return full.size() <= longest ? full : shortForm;
}

PathMap::PathMap(std::vector<DriveInfo> drives) : drives_(std::move(drives)) {
    for (DriveInfo& d : drives_) {
        d.letter = AsciiUpper(d.letter);
        d.nativeRoot = Tidy(d.nativeRoot);
    }
    std::sort(drives_.begin(), drives_.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.letter < b.letter; });
}

const PathMap& PathMap::System() {
    static const PathMap map(SystemDrives());
    return map;
}

std::string PathMap::ToSystem(const std::string& nativePath) const {
    const std::string path = Tidy(nativePath);
    const DriveInfo* best = nullptr;
    for (const DriveInfo& d : drives_) {
        if (HasPrefixDir(path, d.nativeRoot) &&
            (!best || d.nativeRoot.size() > best->nativeRoot.size())) {
            best = &d;
        }
    }
    if (!best) {
        std::string relative = path;
        std::replace(relative.begin(), relative.end(), '/', '\\');
        return relative;
    }
    return OnDrive(*best, path);
}

std::string PathMap::ToNative(const std::string& systemPath) const {
    return WalkSystemPath(*this, systemPath, true).native;
}

std::string PathMap::WhyEmulatorCannotBeHanded(const std::string& systemPath) const {
    return WhyANameInThePath(systemPath, WhyWineCannotHandWrittenName);
}

std::string PathMap::WindowsDirectory() const {
    return ToSystem(WinePrefixDir() + "/drive_c/windows");
}

std::string PathMap::CurrentDirectory() const {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) {
        return "Z:\\";
    }
    return ToSystem(buffer);
}

std::string PathMap::DriveCurrentDirectory(char letter) const {
    const std::string current = CurrentDirectory();
    if (DriveLetterOf(current) == AsciiUpper(letter)) {
        return current;
    }
    return std::string(1, AsciiUpper(letter)) + ":\\";
}

} // namespace platform
