// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile.h"

#include "platform/profile/ini_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

namespace {

// kernel32 itself: file names are already system paths here.
class Kernel32Profile final : public ProfileFunctions {
public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override {
        return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* section, char* buffer, std::uint32_t size,
                                            const char* fileName) override {
        return ::GetPrivateProfileSectionA(section, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                 const char* fileName) override {
        return ::GetPrivateProfileSectionNamesA(buffer, size, fileName);
    }
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) override {
        // Refused as on every system: these would add lines or sections to the file.
        if ((section && !ini::IsWritableSection(section)) || (key && !ini::IsWritableKey(key)) ||
            (value && !ini::IsWritableValue(value))) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        return ::WritePrivateProfileStringA(section, key, value, fileName);
    }
    std::int32_t WritePrivateProfileSectionA(const char* section, const char* entries,
                                             const char* fileName) override {
        bool refused = section && !ini::IsWritableSection(section);
        for (const char* p = entries; p && *p && !refused; p += lstrlenA(p) + 1)
            refused = !ini::IsWritableEntry(p);
        if (refused) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        return ::WritePrivateProfileSectionA(section, entries, fileName);
    }
    std::uint32_t GetLastError() override { return ::GetLastError(); }
    std::uint32_t FormatMessageA(std::uint32_t flags, const void* source, std::uint32_t messageId,
                                 std::uint32_t languageId, char* buffer, std::uint32_t size,
                                 void* arguments) override {
        return ::FormatMessageA(flags, source, messageId, languageId, buffer, size,
                                static_cast<va_list*>(arguments));
    }
};

} // namespace

ProfileFunctions& SystemProfile() {
    static Kernel32Profile profile;
    return profile;
}

void SettleCutWrites(const std::string& /*systemFileName*/) {}

} // namespace platform
