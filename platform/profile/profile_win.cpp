// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile.h"

#include "platform/profile/ini_text.h"

#include <string>
#include <vector>

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
        if (Held(section, key, value, fileName)) {
            ::SetLastError(ERROR_SUCCESS);
            return 1;
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

protected:
    // kernel32 edits a copy beside the file, which then takes the file's place
    // in one step: every byte is still kernel32's, and ReplaceFile keeps the
    // file's ACL and attributes. Where no copy can be made or put in place (a
    // read-only folder, a file with other names, a bare name that kernel32
    // looks up itself, a file changed meanwhile) the writes go to the file one
    // by one, as they would without a batch; a reader holding the file past
    // the wait fails them all.
    std::int32_t ApplyWrites(const std::string& fileName,
                             const std::vector<HeldWrite>& writes) override {
        const std::string temp = TempBeside(fileName);
        FileState before{};
        std::string bytes;
        if (temp.empty() || !ReadWhole(fileName, bytes, before) || !MakeCopy(temp, bytes))
            return OneByOne(fileName, writes);
        DWORD failed = ERROR_SUCCESS;
        for (const HeldWrite& w : writes) {
            if (::WritePrivateProfileStringA(w.section.c_str(), w.key ? w.key->c_str() : nullptr,
                                             w.value ? w.value->c_str() : nullptr,
                                             temp.c_str()) == 0 &&
                failed == ERROR_SUCCESS)
                failed = ::GetLastError();
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, temp.c_str()); // out of its cache
        FileState now{};
        std::string unused;
        const DWORD put = !Flush(temp) || !ReadWhole(fileName, unused, now) || !now.Same(before)
                              ? ERROR_INVALID_DATA
                              : PutInPlace(fileName, temp);
        if (put != ERROR_SUCCESS) {
            ::DeleteFileA(temp.c_str());
            // Someone still reading it: writing it one key at a time now could
            // leave it torn. The file stays as it was, and the caller is told.
            if (put == ERROR_SHARING_VIOLATION || put == ERROR_UNABLE_TO_REMOVE_REPLACED ||
                (put == ERROR_ACCESS_DENIED && !DeletionDenied(fileName))) {
                ::SetLastError(ERROR_SHARING_VIOLATION);
                return 0;
            }
            return OneByOne(fileName, writes);
        }
        ::SetLastError(failed);
        return failed == ERROR_SUCCESS ? 1 : 0;
    }

private:
    struct FileState {
        FILETIME written{};
        DWORD sizeLow = 0, sizeHigh = 0;
        bool Same(const FileState& o) const {
            return ::CompareFileTime(&written, &o.written) == 0 && sizeLow == o.sizeLow &&
                   sizeHigh == o.sizeHigh;
        }
    };

    // A fixed name: the next batch clears what a killed one left. Empty for
    // a bare name, which kernel32 looks for in a folder of its choosing.
    static std::string TempBeside(const std::string& fileName) {
        const std::size_t slash = fileName.find_last_of("\\/");
        if (slash == std::string::npos)
            return {};
        return fileName.substr(0, slash + 1) + "." + fileName.substr(slash + 1) + ".tmp~";
    }

    static bool ReadWhole(const std::string& fileName, std::string& bytes, FileState& state) {
        const HANDLE file = ::CreateFileA(fileName.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        BY_HANDLE_FILE_INFORMATION info{};
        // A file with other names keeps them only when written where it is.
        bool ok = ::GetFileInformationByHandle(file, &info) != 0 && info.nFileSizeHigh == 0 &&
                  info.nNumberOfLinks == 1 &&
                  (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
        if (ok) {
            state = {info.ftLastWriteTime, info.nFileSizeLow, info.nFileSizeHigh};
            bytes.resize(info.nFileSizeLow);
            DWORD got = 0;
            ok = bytes.empty() ||
                 (::ReadFile(file, bytes.data(), info.nFileSizeLow, &got, nullptr) != 0 &&
                  got == info.nFileSizeLow);
        }
        ::CloseHandle(file);
        return ok;
    }

    static bool MakeCopy(const std::string& temp, const std::string& bytes) {
        ::DeleteFileA(temp.c_str());
        const HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD put = 0;
        const bool ok =
            bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                          &put, nullptr) != 0 &&
                              put == bytes.size());
        ::CloseHandle(file);
        if (!ok)
            ::DeleteFileA(temp.c_str());
        return ok;
    }

    // On disk before it takes the file's place.
    static bool Flush(const std::string& temp) {
        const HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const bool ok = ::FlushFileBuffers(file) != 0;
        ::CloseHandle(file);
        return ok;
    }

    // A reader that shares no deletion (the emulator starting) holds the
    // replace up for a moment, not for good: it is tried again for as long
    // as our own functions wait for a lock.
    static DWORD PutInPlace(const std::string& fileName, const std::string& temp) {
        DWORD error = ERROR_SUCCESS;
        for (int attempt = 0; attempt < 30; ++attempt) {
            if (UnderWine() ? ::MoveFileExA(temp.c_str(), fileName.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                            : ::ReplaceFileA(fileName.c_str(), temp.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
                return ERROR_SUCCESS;
            error = ::GetLastError();
            // Without a backup name, this one leaves the file gone and the copy
            // under its own name.
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
                ::GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
                return ::MoveFileExA(temp.c_str(), fileName.c_str(), MOVEFILE_WRITE_THROUGH)
                           ? ERROR_SUCCESS
                           : ::GetLastError();
            if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
                error != ERROR_UNABLE_TO_REMOVE_REPLACED)
                return error;
            ::Sleep(50);
        }
        return error;
    }

    // Wine's ReplaceFile moves the file aside before the copy takes its name,
    // so a kill in between leaves no file at all. Its rename is one step, and
    // there is no ACL that ReplaceFile would have kept.
    static bool UnderWine() {
        static const bool wine = [] {
            const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
            return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
        }();
        return wine;
    }

    // Whether the file's own rights refuse its replacement, rather than a
    // reader that shares no deletion (which some systems report as the same).
    static bool DeletionDenied(const std::string& fileName) {
        const HANDLE file = ::CreateFileA(fileName.c_str(), DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return false;
        }
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }

    std::int32_t OneByOne(const std::string& fileName, const std::vector<HeldWrite>& writes) {
        DWORD failed = ERROR_SUCCESS;
        for (const HeldWrite& w : writes) {
            if (::WritePrivateProfileStringA(w.section.c_str(), w.key ? w.key->c_str() : nullptr,
                                             w.value ? w.value->c_str() : nullptr,
                                             fileName.c_str()) == 0 &&
                failed == ERROR_SUCCESS)
                failed = ::GetLastError();
        }
        ::SetLastError(failed);
        return failed == ERROR_SUCCESS ? 1 : 0;
    }
};

} // namespace

ProfileFunctions& SystemProfile() {
    static Kernel32Profile profile;
    return profile;
}

} // namespace platform
