// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile_posix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/files/paths.h"
#include "platform/files/paths_posix.h"
#include "platform/posix/file_io_posix.h"
#include "platform/posix/lock_posix.h"
#include "platform/profile/code_page_posix.h"
#include "platform/profile/errno_codes_posix.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile_errors.h"
#include "platform/profile/text_edits_posix.h"

namespace platform {

namespace {

using namespace winerr;

// Like Windows, one last error per thread, shared by every instance.
thread_local std::uint32_t t_lastError = kSuccess;

std::uint32_t Fail(std::uint32_t code) {
    t_lastError = code;
    return 0;
}

// A write's result: non-zero on success, 0 with the last error set otherwise.
std::int32_t WriteResult(std::uint32_t code) {
    t_lastError = code;
    return code == kSuccess ? 1 : 0;
}

using file_io::UniqueFd;

constexpr auto kLockWait = PosixProfile::kLockWait;

bool Lock(int fd, int how) {
    return posix::LockWithin(fd, how, kLockWait);
}

// Both cases of "not enough room" leave the list with two NULs, as Windows does.
// The list of section names needs one spare byte more: Windows reports an
// exact fit as cut short.
std::uint32_t FillList(std::string_view list, char* buffer, std::uint32_t size, bool& truncated,
                       std::size_t spare = 0) {
    if (size == 0) {
        truncated = !list.empty();
        return 0;
    }
    truncated = list.size() + 1 + (list.empty() ? 0 : spare) > size;
    if (!truncated) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = '\0';
        if (list.empty() && size > 1)
            buffer[1] = '\0';
        return static_cast<std::uint32_t>(list.size());
    }
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// The list as the caller gets it: its items, each ending in its NUL.
std::uint32_t ListResult(std::string_view list, char* buffer, std::uint32_t size,
                         std::uint32_t notFoundCode, std::size_t spare = 0) {
    bool truncated = false;
    const std::uint32_t count = FillList(list, buffer, size, truncated, spare);
    t_lastError = truncated ? kMoreData : (list.empty() ? notFoundCode : kSuccess);
    return count;
}

template <typename Strings> std::string Joined(const Strings& items) {
    std::string list;
    for (const auto& item : items)
        list.append(item).push_back('\0');
    return list;
}

std::vector<std::string_view> Views(const std::vector<std::string>& strings) {
    return {strings.begin(), strings.end()};
}

} // namespace

PosixProfile::PosixProfile(Resolver toNative)
    : PosixProfile(std::move(toNative), [] { return UserStateDir(); }) {}

PosixProfile::PosixProfile(Resolver toNative, KeepDir keepDir, bool flushToDisk)
    : toNative_(std::move(toNative)), kept_(std::move(keepDir)), flushToDisk_(flushToDisk) {}

std::uint32_t PosixProfile::Resolve(const char* fileName, std::string& nativePath) const {
    if (fileName == nullptr || *fileName == '\0')
        return kAccessDenied;
    const std::string name(fileName);
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>|\"?*", c) != nullptr)
            return kInvalidName;
    }
    nativePath = toNative_(name);
    return nativePath.empty() ? kInvalidName : kSuccess;
}

std::uint32_t PosixProfile::Load(const char* fileName,
                                 std::shared_ptr<const Parsed>& parsed) const {
    parsed.reset();
    std::string path;
    if (const std::uint32_t code = Resolve(fileName, path))
        return code;
    // O_NONBLOCK keeps a FIFO from hanging the open; it is refused right after.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        return OpenError(path, errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    if (const std::uint32_t code = CheckRegular(st))
        return code;
    // A rewrite in place holds the file's lock until it is done.
    if (!Lock(fd.Get(), LOCK_SH))
        return kSharingViolation;
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    const bool cut = kept_.Find(st).has_value();
    if (auto kept = parses_.Find(st); kept && !cut) {
        parsed = std::move(kept);
        return kSuccess;
    }
    auto fresh = std::make_shared<Parsed>();
    std::string& text = fresh->text;
    if (const std::uint32_t code = ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), text))
        return code;
    if (cut) {
        // A cut rewrite: finished under the writers' lock, on the bytes as they are then.
        if (!Lock(fd.Get(), LOCK_EX))
            return kSharingViolation;
        if (::lseek(fd.Get(), 0, SEEK_SET) != 0)
            return FromErrno(errno);
        if (const std::uint32_t code =
                ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), text))
            return code;
        text = safe_replace::FinishCut(path, fd.Get(), std::move(text), Context());
    }
    if (codepage::IsUtf16(text)) {
        std::string utf8;
        codepage::Utf16ToUtf8(text, utf8);
        text = std::move(utf8);
    }
    // Kept only when nothing changed the file while it was read.
    struct stat after {};
    const auto now = std::chrono::system_clock::now();
    fresh->st = st;
    if (!cut && ::fstat(fd.Get(), &after) == 0 && SameFile(st, after) &&
        Settled(fd.Get(), st, now)) {
        fresh->keptAt = now;
        fresh->index.emplace(text);
        parses_.Keep(fresh);
    }
    parsed = std::move(fresh);
    return kSuccess;
}

bool PosixProfile::SettleCutWrites(const std::string& fileName) {
    return Settle(fileName.c_str()) != winerr::kSharingViolation;
}

std::uint32_t PosixProfile::Settle(const char* fileName) {
    std::string path;
    if (const std::uint32_t code = Resolve(fileName, path))
        return code;
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (!fd)
        return OpenError(path, errno);
    if (::fstat(fd.Get(), &st) != 0)
        return FromErrno(errno);
    if (CheckRegular(st) != kSuccess || !kept_.Find(st))
        return kSuccess;
    if (!Lock(fd.Get(), LOCK_EX))
        return kSharingViolation;
    std::string raw;
    if (const std::uint32_t code = ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), raw))
        return code;
    safe_replace::FinishCut(path, fd.Get(), std::move(raw), Context());
    return kSuccess;
}

std::uint32_t PosixProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultValue, char* buffer,
                                                     std::uint32_t size, const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    const std::uint32_t loaded = Load(fileName, parsed);
    const std::string_view text = parsed ? std::string_view(parsed->text) : std::string_view();
    const codepage::Spelling spelling(text);
    // Without a section the call lists the file's sections: none, when there is no file.
    if (section == nullptr && loaded != kSuccess)
        return ListResult({}, buffer, size, loaded);
    if (loaded == kSuccess && (section == nullptr || key == nullptr)) {
        if (section == nullptr)
            return ListResult(spelling.Out(Joined(parsed->index ? parsed->index->SectionNames(text)
                                                                : ini::SectionNames(text))),
                              buffer, size, kSuccess);
        return ListResult(spelling.Out(Joined(ini::KeyNames(text, spelling.In(section)))), buffer,
                          size, kFileNotFound);
    }
    std::string_view value = defaultValue ? defaultValue : "";
    // Windows drops the default's trailing spaces, not its tabs.
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    std::uint32_t code = loaded;
    std::string found;
    if (loaded == kSuccess) {
        const auto inFile =
            parsed->index ? parsed->index->FindValue(text, spelling.In(section), spelling.In(key))
                          : ini::FindValue(text, spelling.In(section), spelling.In(key));
        if (inFile)
            value = found = spelling.Out(*inFile);
        else
            code = kFileNotFound;
    }
    if (size == 0)
        return Fail(value.empty() ? code : kMoreData);
    const std::size_t count = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    t_lastError = (count < value.size()) ? kMoreData : code;
    return static_cast<std::uint32_t>(count);
}

std::uint32_t PosixProfile::GetPrivateProfileSectionA(const char* section, char* buffer,
                                                      std::uint32_t size, const char* fileName) {
    if (section == nullptr || buffer == nullptr)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    if (const std::uint32_t code = Load(fileName, parsed)) {
        ListResult({}, buffer, size, code);
        return 0;
    }
    const std::string_view text = parsed->text;
    const codepage::Spelling spelling(text);
    const auto entries = parsed->index ? parsed->index->SectionEntries(text, spelling.In(section))
                                       : ini::SectionEntries(text, spelling.In(section));
    if (!entries) {
        ListResult({}, buffer, size, kFileNotFound);
        return 0;
    }
    return ListResult(spelling.Out(Joined(*entries)), buffer, size, kSuccess);
}

std::uint32_t PosixProfile::GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                           const char* fileName) {
    if (buffer == nullptr && size > 0)
        return Fail(kInvalidParameter);
    std::shared_ptr<const Parsed> parsed;
    if (const std::uint32_t code = Load(fileName, parsed)) {
        // Windows leaves a single NUL here, not two.
        if (size > 0)
            buffer[0] = '\0';
        return Fail(code);
    }
    const std::string_view text = parsed->text;
    const auto names = parsed->index ? parsed->index->SectionNames(text) : ini::SectionNames(text);
    return ListResult(codepage::Spelling(text).Out(Joined(names)), buffer, size, kSuccess, 1);
}

std::int32_t PosixProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                                      const char* value, const char* fileName) {
    if (section == nullptr) {
        // Windows flushes its cache here and then always returns FALSE,
        // leaving the last error as it was; the kept parses go likewise.
        if (key == nullptr && value == nullptr) {
            parses_.Clear();
            return 0;
        }
        return WriteResult(key != nullptr ? kFileNotFound : kInvalidParameter);
    }
    if (!ini::IsWritableSection(section) || (key && !ini::IsWritableKey(key)) ||
        (value && !ini::IsWritableValue(value)))
        return WriteResult(kInvalidParameter);
    if (Held(section, key, value, fileName))
        return WriteResult(kSuccess);
    const std::uint32_t code =
        Rewrite(fileName, [&](std::string_view text, bool exists, safe_replace::Splice& out) {
            out.to = text.size();
            return text_edits::EditValue(text, exists, section, key, value, out.middle);
        });
    return WriteResult(code);
}

std::int32_t PosixProfile::ApplyWrites(const std::string& fileName,
                                       const std::vector<HeldWrite>& writes) {
    const std::uint32_t code = Rewrite(
        fileName.c_str(), [&](std::string_view whole, bool exists, safe_replace::Splice& out) {
            const auto [from, to] = text_edits::OneSectionsPart(whole, writes);
            const std::string_view text = whole.substr(from, to - from);
            std::string now(text), next;
            bool any = false;
            for (const HeldWrite& w : writes) {
                if (text_edits::EditValue(now, exists, w.section.c_str(),
                                          w.key ? w.key->c_str() : nullptr,
                                          w.value ? w.value->c_str() : nullptr, next)) {
                    now.swap(next);
                    any = true;
                }
            }
            out.from = from;
            out.to = to;
            out.middle = std::move(now);
            return any;
        });
    return WriteResult(code);
}

std::uint32_t PosixProfile::Rewrite(const char* fileName, const safe_replace::Edit& edit) const {
    std::string native;
    if (const std::uint32_t code = Resolve(fileName, native))
        return code;
    return safe_replace::Replace(native, Context(), edit);
}

safe_replace::Context PosixProfile::Context() const {
    return {kept_, flushToDisk_, kLockWait, [this] { parses_.Clear(); }};
}

std::int32_t PosixProfile::WritePrivateProfileSectionA(const char* section, const char* entries,
                                                       const char* fileName) {
    if (section == nullptr || !ini::IsWritableSection(section))
        return WriteResult(kInvalidParameter);
    std::vector<std::string_view> lines;
    for (const char* p = entries; p && *p; p += std::strlen(p) + 1) {
        lines.emplace_back(p);
        if (!ini::IsWritableEntry(lines.back()))
            return WriteResult(kInvalidParameter);
    }
    const std::uint32_t code =
        Rewrite(fileName, [&](std::string_view text, bool exists, safe_replace::Splice& out) {
            const codepage::Spelling spelling(text);
            out.to = text.size();
            if (entries == nullptr) {
                ini::RemoveSection(text, spelling.In(section), out.middle);
                return exists;
            }
            std::vector<std::string> spelt;
            for (const std::string_view line : lines)
                spelt.push_back(spelling.In(line));
            ini::ReplaceSection(text, spelling.In(section), Views(spelt), out.middle);
            return true;
        });
    return WriteResult(code);
}

std::uint32_t PosixProfile::GetLastError() {
    return t_lastError;
}

std::uint32_t PosixProfile::FormatMessageA(std::uint32_t flags, const void* /*source*/,
                                           std::uint32_t messageId, std::uint32_t languageId,
                                           char* buffer, std::uint32_t size, void* /*arguments*/) {
    constexpr std::uint32_t kAllocateBuffer = 0x00000100;
    if ((flags & kFormatMessageFromSystem) == 0 || (flags & kAllocateBuffer) != 0 ||
        buffer == nullptr)
        return Fail(kInvalidParameter);
    // Language 0 (the default choice) or any English sublanguage.
    if (languageId != 0 && (languageId & 0x3ff) != 0x09)
        return Fail(kLanguageNotFound);
    const char* text = MessageText(messageId);
    if (text == nullptr)
        return Fail(kMessageNotFound);
    const std::size_t length = std::strlen(text);
    if (length + 1 > size)
        return Fail(kInsufficientBuffer);
    std::memcpy(buffer, text, length + 1);
    return static_cast<std::uint32_t>(length);
}

namespace {

// A name without a directory lives in the Windows directory, as Windows and
// Wine look for it, never in whatever directory the program was started from.
std::string SystemNative(const std::string& name) {
    if (name.find_first_of("\\/") == std::string::npos) {
        const std::string prefix = WinePrefixDir();
        return prefix.empty() ? std::string() : prefix + "/drive_c/windows/" + name;
    }
    return PathMap::System().ToNative(name);
}

PosixProfile& SystemPosixProfile() {
    static PosixProfile profile(SystemNative);
    return profile;
}

} // namespace

ProfileFunctions& SystemProfile() {
    return SystemPosixProfile();
}

} // namespace platform
