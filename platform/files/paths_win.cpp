// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"

#include <windows.h>

namespace platform {
namespace {

std::vector<DriveInfo> SystemDrives() {
    std::vector<DriveInfo> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (1u << i)) == 0) {
            continue;
        }
        const char letter = static_cast<char>('A' + i);
        const std::string root = std::string(1, letter) + ":\\";
        char label[MAX_PATH + 1] = {};
        if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                                   nullptr, 0)) {
            label[0] = 0;
        }
        drives.push_back({letter, root, label});
    }
    return drives;
}

} // namespace

PathMap::PathMap(std::vector<DriveInfo> drives) : drives_(std::move(drives)) {}

const PathMap& PathMap::System() {
    static const PathMap map(SystemDrives());
    return map;
}

std::string PathMap::ToSystem(const std::string& nativePath) const {
    return nativePath;
}

std::string PathMap::ToNative(const std::string& systemPath) const {
    return systemPath;
}

namespace {
std::string LongName(const std::string& path) {
    char buffer[4 * MAX_PATH] = {};
    const DWORD n = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}
} // namespace

std::string PathMap::ShortFormLeadsElsewhere(const std::string& typed,
                                             const std::string& shortForm) const {
    const DWORD attributes = GetFileAttributesA(typed.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {};
    }
    const std::string typedLong = WithoutTrailingSeparators(LongName(typed));
    // Windows' own short names: the deepest part of the short form that exists,
    // in long form, and the rest as written.
    std::string known = WithoutTrailingSeparators(shortForm);
    std::string rest;
    std::string reading;
    while (!known.empty()) {
        if (std::string found = LongName(known); !found.empty()) {
            reading = WithoutTrailingSeparators(found) + rest;
            break;
        }
        const std::size_t slash = known.rfind('\\');
        if (slash == std::string::npos) {
            return {};
        }
        rest = known.substr(slash) + rest;
        known = known.substr(0, slash);
    }
    if (reading.empty() || lstrcmpiA(reading.c_str(), typedLong.c_str()) == 0) {
        return {};
    }
    return !shortForm.empty() && shortForm.back() == '\\' && reading.back() != '\\' ? reading + "\\"
                                                                                    : reading;
}

std::string PathMap::CurrentDirectory() const {
    char buffer[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof buffer, buffer);
    return buffer;
}

std::string PathMap::DriveCurrentDirectory(char letter) const {
    // Windows keeps a current directory per drive.
    char buffer[MAX_PATH + 1] = {};
    const std::string drive = std::string(1, letter) + ":";
    if (GetFullPathNameA(drive.c_str(), sizeof buffer, buffer, nullptr) == 0) {
        return drive + "\\";
    }
    // Wine ends the answer with "\", Windows only at a root: paths here end
    // in "\" at a root alone.
    std::string path = buffer;
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace platform
