// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The system's private-profile (INI file) functions in their 8-bit forms, with
// the thread's last error code and its message text. Arguments, buffer limits
// and results follow the kernel32 functions of the same names; file names are
// system paths. On Windows these are kernel32 itself; elsewhere our own
// implementation that behaves the same way.
class ProfileFunctions {
public:
    virtual ~ProfileFunctions() = default;

    // Several writes to one file that must reach it together, old file or new
    // file on disk and never a part of them. After BeginWrites, every
    // WritePrivateProfileStringA on that very file name is checked and held;
    // CommitWrites applies what was held as one replacement and returns
    // non-zero on success, or 0 with the last error set. Reads meanwhile see
    // the file as it is. One batch at a time, from one thread.
    void BeginWrites(const char* fileName);
    std::int32_t CommitWrites();

    // One call of WritePrivateProfileStringA; no key or no value as there.
    struct HeldWrite {
        std::string section;
        std::optional<std::string> key, value;
    };

    // Value of key in section, trimmed and without one pair of outer quotes;
    // defaultValue when absent. Copies at most size-1 characters plus a NUL and
    // returns the count without the NUL.
    virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultValue, char* buffer,
                                                   std::uint32_t size, const char* fileName) = 0;
    // The section's entries as "k=v\0k=v\0\0"; returns the count with each
    // entry's NUL but without the last one.
    virtual std::uint32_t GetPrivateProfileSectionA(const char* section, char* buffer,
                                                    std::uint32_t size, const char* fileName) = 0;
    // The section names in file order, laid out as the section's entries.
    virtual std::uint32_t GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                         const char* fileName) = 0;
    // Non-zero on success. A null value removes the key, a null key the section.
    virtual std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                                    const char* value, const char* fileName) = 0;
    // entries: "k=v\0k=v\0\0". Non-zero on success. Null entries remove the section.
    virtual std::int32_t WritePrivateProfileSectionA(const char* section, const char* entries,
                                                     const char* fileName) = 0;

    virtual std::uint32_t GetLastError() = 0;

    // Only FORMAT_MESSAGE_FROM_SYSTEM texts; source and arguments are ignored
    // with FORMAT_MESSAGE_IGNORE_INSERTS. Returns the count written without the NUL.
    virtual std::uint32_t FormatMessageA(std::uint32_t flags, const void* source,
                                         std::uint32_t messageId, std::uint32_t languageId,
                                         char* buffer, std::uint32_t size, void* arguments) = 0;

    // Finishes what a write cut short (the program killed midway) left of the
    // INI file, so that a program started next reads it whole; drops what is
    // no longer ours to finish. False when someone held the file past the
    // wait: it may then be torn. Nothing to do for kernel32's functions.
    virtual bool SettleCutWrites(const std::string& /*fileName*/) { return true; }

protected:
    // True when an open batch holds the write, which the caller has checked.
    bool Held(const char* section, const char* key, const char* value, const char* fileName);
    // The held writes, in order, as one replacement. Here one by one, for
    // profile functions that have nothing better.
    virtual std::int32_t ApplyWrites(const std::string& fileName,
                                     const std::vector<HeldWrite>& writes);

private:
    std::optional<std::string> batchFile_;
    std::vector<HeldWrite> held_;
};

inline constexpr std::uint32_t kFormatMessageIgnoreInserts = 0x00000200;
inline constexpr std::uint32_t kFormatMessageFromSystem = 0x00001000;

// The profile functions of this system.
ProfileFunctions& SystemProfile();

// The system's SettleCutWrites: call at start and before starting the emulator.
bool SettleCutWrites(const std::string& systemFileName);

} // namespace platform
