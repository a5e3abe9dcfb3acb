// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <vector>

namespace platform {

struct DriveInfo {
    char letter = 0;        // upper case
    std::string nativeRoot; // where the drive's root lies on this system
    std::string label;      // shown in the drive list beside the letter
};

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
    // "z:\HOME\ann\PCENGI~1" -> "/home/ann/PC Engine Games"; relative paths stay relative.
    std::string ToNative(const std::string& systemPath) const;

    // The short form of a directory is textual and can name another directory than
    // the one it was made from: "C:\Progra~1\Hu-Go\" from "C:\Program Files (x86)\Hu-Go"
    // leads into "Program Files" once that exists. Where `shortForm` leads when each
    // "~1" is read as Windows reads it, in long form, if that is another place than
    // the existing directory `typed`; empty when it leads there or `typed` does not
    // exist.
    std::string ShortFormLeadsElsewhere(const std::string& typed,
                                        const std::string& shortForm) const;

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
