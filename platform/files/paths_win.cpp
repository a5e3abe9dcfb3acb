// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"

#include "platform/files/code_page_win.h"
#include "platform/files/paths_win.h"
#include "platform/files/windows_names.h"

#include <windows.h>

#include <cstdint>
#include <optional>

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
        drives.push_back({letter, std::string(1, letter) + ":\\", std::nullopt});
    }
    return drives;
}

} // namespace

std::string ReadLabel(const DriveInfo& drive) {
    if (drive.label) {
        return *drive.label;
    }
    char label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationA(drive.nativeRoot.c_str(), label, sizeof label, nullptr, nullptr,
                               nullptr, nullptr, 0)) {
        return {};
    }
    return label;
}

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

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const HANDLE handle = CreateFileW(
        WideFromCodePage(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr); // a directory opens only so
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
                        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

namespace {

// Another form of an existing path by one of the system's path calls, in the
// code page; empty when there is none or the code page cannot spell it.
std::string FormBy(DWORD(WINAPI* call)(LPCWSTR, LPWSTR, DWORD), const std::string& path) {
    const std::wstring wide = WideFromCodePage(path);
    const DWORD size = call(wide.c_str(), nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring buffer(size, L'\0');
    const DWORD n = call(wide.c_str(), buffer.data(), size);
    if (n == 0 || n >= size) {
        return {};
    }
    buffer.resize(n);
    bool lossy = false;
    std::string bytes = CodePageFromWide(buffer, &lossy);
    return lossy ? std::string() : bytes;
}

} // namespace

std::string SystemShortName(const std::string& path) {
    return FormBy(GetShortPathNameW, path);
}

namespace {

std::string LongName(const std::string& path) {
    return FormBy(GetLongPathNameW, path);
}

std::string WithSeparator(std::string path) {
    return !path.empty() && path.back() != '\\' ? path + '\\' : path;
}

} // namespace

// The system reads every "~1" itself, for this program and the emulator alike.
std::string PathMap::FormLeadingTo(const std::string& dir, const std::string& shortForm,
                                   Reader /*reader*/, std::size_t longest) const {
    const std::optional<FileIdentity> target = IdentityOf(dir);
    if (!target || !target->directory || IdentityOf(shortForm) == target) {
        return shortForm;
    }
    // A volume that keeps no short names gives the long name back, blanks and all.
    const std::string system = WithSeparator(SystemShortName(dir));
    if (!system.empty() && system.size() <= longest && system.find(' ') == std::string::npos) {
        return system;
    }
    const std::string full = WithSeparator(LongName(dir));
    return !full.empty() && full.size() <= longest ? full : shortForm;
}

std::string PathMap::WhyEmulatorCannotBeHanded(const std::string& systemPath) const {
    // A "?" here stands for a character the code page lacks.
    return LacksCodePageCharacters(systemPath) ? std::string(kLackedCharacters)
                                               : WhyANameInThePath(systemPath);
}

std::string PathMap::WindowsDirectory() const {
    char buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string("C:\\Windows");
}

// The wide calls: the 8-bit ones spell a name the code page lacks with
// look-alikes ("Lukasz" for "Łukasz"), another folder's name.
std::string PathMap::CurrentDirectory() const {
    wchar_t buffer[32768] = {};
    const DWORD n = GetCurrentDirectoryW(32768, buffer);
    return CodePageFromWide(std::wstring_view(buffer, n < 32768 ? n : 0));
}

std::string PathMap::DriveCurrentDirectory(char letter) const {
    // Windows keeps a current directory per drive.
    wchar_t buffer[32768] = {};
    const std::string drive = std::string(1, letter) + ":";
    const wchar_t relative[] = {static_cast<wchar_t>(letter), L':', L'\0'};
    const DWORD n = GetFullPathNameW(relative, 32768, buffer, nullptr);
    if (n == 0 || n >= 32768) {
        return drive + "\\";
    }
    // Wine ends the answer with "\", Windows only at a root: paths here end
    // in "\" at a root alone.
    std::string path = CodePageFromWide(std::wstring_view(buffer, n));
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace platform
