// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DriveInfo {
    char letter = 0;        // upper case
    std::string nativeRoot; // where the drive's root lies on this system
    // Shown in the drive list beside the letter. None until read where only
    // the drive itself can tell it (Windows), as ReadLabel does.
    std::optional<std::string> label;
};

// A drive's label, asked of the drive where it is not known already: that
// may take long, or never end on a drive that does not answer, so it is read
// only when the label is about to be seen.
std::string ReadLabel(const DriveInfo& drive);

// Maps the system's paths (drive letters, "\" the only separator) onto the
// native file system and back. On Windows both forms are the same.
class PathMap {
public:
    explicit PathMap(std::vector<DriveInfo> drives);

    // The drives of this machine (on POSIX: Z: is "/", plus the Wine prefix's drives).
    static const PathMap& System();

    const std::vector<DriveInfo>& Drives() const { return drives_; }

    // "/home/ann/roms" -> "Z:\home\ann\roms"; a root comes back as "Z:\".
    std::string ToSystem(const std::string& nativePath) const;
    // "z:\HOME\ann\PC Eng~1" -> "/home/ann/PC Engine Games"; relative paths stay relative.
    std::string ToNative(const std::string& systemPath) const;

    // Who reads a stored directory: this program (Go, Setup), or the emulator
    // itself, which reads its "rom_dir" through the system: on Windows a "~1"
    // name is the system's own, under Wine it is never resolved.
    enum class Reader { ThisProgram, Emulator };
    // What to store for the directory `dir` that the user chose, whose short form
    // is `shortForm`: that form when `reader` finds `dir` through it; otherwise
    // the system's short name of `dir` when it has one without blanks, else its
    // full name, ending in "\" within `longest` characters. `shortForm` when
    // `dir` is no existing directory or nothing else fits.
    std::string FormLeadingTo(const std::string& dir, const std::string& shortForm, Reader reader,
                              std::size_t longest = 254) const;

    // Why the emulator cannot be handed a path: a name in it that Windows
    // cannot keep, or with characters the code page of the emulator's text
    // lacks. Empty when it can.
    std::string WhyEmulatorCannotBeHanded(const std::string& systemPath) const;

    // Where a file named without a directory is kept ("C:\windows"), as the
    // profile functions place it.
    std::string WindowsDirectory() const;

    // The process's current directory, as a system path.
    std::string CurrentDirectory() const;
    // The directory a drive opens at: the current directory when it lies on that
    // drive, the drive's root otherwise.
    std::string DriveCurrentDirectory(char letter) const;

private:
    std::vector<DriveInfo> drives_;
};

// The drive letter of a system path ("D:\x" -> 'D'), 0 when it has none.
char DriveLetterOf(const std::string& systemPath);

// A file name's directory, up to and including its last "\" (empty when none).
std::string DirectoryPart(const std::string& fileName);

} // namespace platform
