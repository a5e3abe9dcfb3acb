// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <functional>
#include <string>

#include "platform/profile/profile.h"

namespace platform {

// The profile functions on a POSIX file system, behaving as Windows does.
// Writes replace the file atomically (temporary file, flush, rename), follow
// symbolic links, fall back to rewriting in place when the directory takes no
// new file, and are serialised across processes by a lock on the directory.
class PosixProfile final : public ProfileFunctions {
public:
    // Maps a system path to the native path to open.
    using Resolver = std::function<std::string(const std::string& systemPath)>;

    explicit PosixProfile(Resolver toNative);
    // flushToDisk false skips fsync: for fuzzing and measurements only.
    PosixProfile(Resolver toNative, bool flushToDisk);

    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override;
    std::uint32_t GetPrivateProfileSectionA(const char* section, char* buffer, std::uint32_t size,
                                            const char* fileName) override;
    std::uint32_t GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                 const char* fileName) override;
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) override;
    std::int32_t WritePrivateProfileSectionA(const char* section, const char* entries,
                                             const char* fileName) override;
    std::uint32_t GetLastError() override;
    std::uint32_t FormatMessageA(std::uint32_t flags, const void* source, std::uint32_t messageId,
                                 std::uint32_t languageId, char* buffer, std::uint32_t size,
                                 void* arguments) override;

private:
    // Returns the last-error code; text is empty for a missing file.
    std::uint32_t Load(const char* fileName, std::string& text) const;
    std::uint32_t Resolve(const char* fileName, std::string& nativePath) const;
    // edit gets the current text (empty for a missing file) and whether the
    // file exists, and returns false when there is nothing to write.
    using Edit = std::function<bool(const std::string& text, bool exists, std::string& out)>;
    std::uint32_t Rewrite(const char* fileName, const Edit& edit) const;

    Resolver toNative_;
    bool flushToDisk_ = true;
};

} // namespace platform
