// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths_posix.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

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

// "PCENGI~1" stands for the first long name that starts the same way.
bool IsShortForm(const std::string& name) {
    return name.size() >= 3 && name.size() <= 8 && name.compare(name.size() - 2, 2, "~1") == 0;
}

// The real name of one component in `dir`: as written when it exists, else the
// first name in name order that matches regardless of case, else the long name a
// short form stands for; as written when nothing fits (a file yet to be made).
std::string ResolveComponent(const std::string& dir, const std::string& name) {
    const std::string joined = dir.empty() ? name : (dir == "/" ? "/" + name : dir + "/" + name);
    if (Exists(joined)) {
        return name;
    }
    const std::vector<std::string> names = NamesIn(dir);
    for (const std::string& candidate : names) {
        if (SameIgnoringCase(candidate, name)) {
            return candidate;
        }
    }
    if (IsShortForm(name)) {
        const std::string prefix = name.substr(0, name.size() - 2);
        for (const std::string& candidate : names) {
            if (candidate.size() > 8 &&
                SameIgnoringCase(candidate.substr(0, prefix.size()), prefix)) {
                return candidate;
            }
        }
    }
    return name;
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) {
        return name;
    }
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// Walks `rest` ("a\b\c") from the native directory `base`, resolving each name.
std::string Walk(std::string base, const std::string& rest, const std::string& floor) {
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) {
            end = rest.size();
        }
        const std::string name = rest.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            if (floor.empty() && (base.empty() || base[0] != '/')) {
                base = Join(base, ".."); // relative: leave it to the system
                continue;
            }
            if (base.size() > floor.size()) {
                const std::size_t slash = base.rfind('/');
                base = slash == 0 ? "/" : base.substr(0, slash);
                if (base.size() < floor.size()) {
                    base = floor;
                }
            }
            continue;
        }
        base = Join(base, ResolveComponent(base, name));
    }
    return base;
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
    std::string prefix;
    if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine) {
        prefix = wine;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        prefix = std::string(home) + "/.wine";
    }
    return WinePrefixDrives(prefix);
}

} // namespace

std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix) {
    std::vector<DriveInfo> drives;
    if (!prefix.empty()) {
        const std::string devices = prefix + "/dosdevices";
        for (const std::string& name : NamesIn(devices)) {
            if (name.size() != 2 || name[1] != ':' ||
                !std::isalpha(static_cast<unsigned char>(name[0]))) {
                continue;
            }
            const char letter = Upper(name[0]);
            const std::string target = Canonical(devices + "/" + name);
            if (letter == 'Z' || target.empty() || !IsDirectory(target)) {
                continue; // Z: is always the whole file system
            }
            drives.push_back({letter, target, target});
        }
    }
    drives.push_back({'Z', "/", "/"});
    return drives;
}

std::string LongSystemPath(const PathMap& map, const std::string& systemPath) {
    const std::string native = map.ToNative(systemPath);
    struct stat st {};
    if (native.empty() || stat(native.c_str(), &st) != 0) {
        return {};
    }
    std::string result;
    char letter = DriveLetterOf(systemPath);
    if (letter == 0 && !systemPath.empty() && systemPath[0] == '\\') {
        letter = DriveLetterOf(map.CurrentDirectory());
    }
    for (const DriveInfo& d : map.Drives()) {
        if (d.letter == letter && HasPrefixDir(native, d.nativeRoot)) {
            std::string rest = native.substr(d.nativeRoot == "/" ? 1 : d.nativeRoot.size());
            if (!rest.empty() && rest[0] == '/') {
                rest.erase(0, 1);
            }
            std::replace(rest.begin(), rest.end(), '/', '\\');
            result = std::string(1, letter) + ":\\" + rest;
        }
    }
    if (result.empty()) {
        result = map.ToSystem(native);
    }
    if (systemPath.back() == '\\' && result.back() != '\\') {
        result += '\\';
    }
    return result;
}

PathMap::PathMap(std::vector<DriveInfo> drives) : drives_(std::move(drives)) {
    for (DriveInfo& d : drives_) {
        d.letter = Upper(d.letter);
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
    std::string rest = path.substr(best->nativeRoot == "/" ? 1 : best->nativeRoot.size());
    if (!rest.empty() && rest[0] == '/') {
        rest.erase(0, 1);
    }
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, best->letter) + ":\\" + rest;
}

std::string PathMap::ToNative(const std::string& systemPath) const {
    std::string rest = systemPath;
    const DriveInfo* drive = nullptr;
    if (const char letter = DriveLetterOf(systemPath)) {
        for (const DriveInfo& d : drives_) {
            if (d.letter == letter) {
                drive = &d;
            }
        }
        if (!drive) {
            return {}; // no such drive here
        }
        rest = systemPath.substr(2);
    } else if (!rest.empty() && rest[0] == '\\') {
        // Rooted but without a drive: the current directory's drive.
        const char current = DriveLetterOf(CurrentDirectory());
        for (const DriveInfo& d : drives_) {
            if (d.letter == current) {
                drive = &d;
            }
        }
    }
    if (!drive) {
        return Walk(std::string(), rest, std::string());
    }
    return Walk(drive->nativeRoot, rest, drive->nativeRoot);
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
    if (DriveLetterOf(current) == Upper(letter)) {
        return current;
    }
    return std::string(1, Upper(letter)) + ":\\";
}

} // namespace platform
