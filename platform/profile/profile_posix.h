// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "platform/profile/kept_copy_posix.h"
#include "platform/profile/parse_cache_posix.h"
#include "platform/profile/profile.h"
#include "platform/profile/safe_replace_posix.h"

namespace platform {

// The profile functions on a POSIX file system, behaving as Windows does.
// A file is always either old or new on disk: writes replace it atomically
// (temporary file, flush, rename) and follow symbolic links. Where a new file
// could not be what the old one was (the directory takes no new file, another
// owner or group, extended attributes that cannot be copied, hard links) they
// rewrite it in place, with room for the new text reserved first and both
// texts kept aside until the rewrite is done; a rewrite that was cut is
// finished by the next access, or at once by Settle. Writers of every process
// take a lock on the directory where they can and on the file; readers take
// the file's lock too, so none sees a rewrite half done. No lock is waited
// for longer than kLockWait: the call then fails with a sharing violation.
// A write is on disk when it returns: the new file is flushed before it takes
// the old one's place, then its directory. Fewer flushes would not do: one
// for the directory per batch of writes leaves a returned write to be lost,
// and renaming before the flush or flushing data alone (fdatasync) keeps the
// old-or-new promise, owner, mode and ACLs only on some file systems. A
// write that changes nothing writes and flushes nothing.
// Reads answer from a parse kept per file while the file is provably the one
// parsed (see Parsed); any write of ours drops every kept parse.
class PosixProfile final : public ProfileFunctions {
public:
    static constexpr std::chrono::milliseconds kLockWait{1500};
    static constexpr std::chrono::milliseconds kSettledAfter = platform::kSettledAfter;

    // Maps a system path to the native path to open.
    using Resolver = std::function<std::string(const std::string& systemPath)>;
    // The directory for the old text of files rewritten in place.
    using KeepDir = std::function<std::string()>;

    // Old text kept in the user's state directory.
    explicit PosixProfile(Resolver toNative);
    // flushToDisk false skips fsync: for fuzzing and measurements only.
    PosixProfile(Resolver toNative, KeepDir keepDir, bool flushToDisk = true);

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
    // Finishes a cut rewrite in place of the file, or drops its copy when
    // the file changed since. Returns the last-error code.
    std::uint32_t Settle(const char* fileName);
    bool SettleCutWrites(const std::string& fileName) override;
    std::uint32_t FormatMessageA(std::uint32_t flags, const void* source, std::uint32_t messageId,
                                 std::uint32_t languageId, char* buffer, std::uint32_t size,
                                 void* arguments) override;

protected:
    // One replacement, with one flush of the file and one of its directory.
    std::int32_t ApplyWrites(const std::string& fileName,
                             const std::vector<HeldWrite>& writes) override;

private:
    // Returns the last-error code; no parse for a missing file.
    std::uint32_t Load(const char* fileName, std::shared_ptr<const Parsed>& parsed) const;
    std::uint32_t Resolve(const char* fileName, std::string& nativePath) const;
    std::uint32_t Rewrite(const char* fileName, const safe_replace::Edit& edit) const;
    safe_replace::Context Context() const;

    Resolver toNative_;
    KeptCopies kept_;
    bool flushToDisk_ = true;
    ParseCache parses_;
};

} // namespace platform
