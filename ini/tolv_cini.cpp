// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "ini/tolv_cini.h"

#include <cstring>
#include <string_view>

#include "platform/profile/profile.h"

namespace {

constexpr std::uint32_t kValueBufferSize = 255;
constexpr std::uint32_t kSectionBufferSize = 32767;
constexpr std::uint32_t kNamesBufferSize = 32767;
constexpr std::uint32_t kMessageBufferSize = 255;

constexpr std::uint32_t kErrorInvalidParameter = 87;

// The text of a NUL-filled work buffer up to its first NUL.
std::string TextOf(const std::string& buffer) {
    return std::string(buffer.c_str(), std::strlen(buffer.c_str()));
}

// Walks "e1\0e2\0...\0" as far as the platform's count reaches; count is the
// number of characters written without the final NUL.
template <typename Each>
void ScanNulList(const std::string& buffer, std::uint32_t count, Each each) {
    std::size_t start = 0;
    std::size_t nul = buffer.find('\0');
    while (nul != std::string::npos) {
        each(std::string_view(buffer).substr(start, nul - start));
        start = nul + 1;
        nul = start < buffer.size() ? buffer.find('\0', start) : std::string::npos;
        if (nul != std::string::npos && nul + 1 > count)
            nul = std::string::npos;
    }
}

} // namespace

Tolv_CIni::Tolv_CIni() : Tolv_CIni(platform::SystemProfile()) {}

Tolv_CIni::Tolv_CIni(platform::ProfileFunctions& profile) : profile_(profile) {}

Tolv_CIni::~Tolv_CIni() = default;

const std::string& Tolv_CIni::FileName() const {
    return fileName_;
}

void Tolv_CIni::FileName(const std::string& New_FileName) {
    fileName_ = New_FileName;
}

const std::string& Tolv_CIni::LastErrorDescription() const {
    return lastErrorDescription_;
}

bool Tolv_CIni::ReadValue(const std::string& psSection, const std::string& psKey,
                          std::string& psValue) {
    if (!CheckFileName() || RefuseEmbeddedNul({&psSection, &psKey}))
        return false;
    std::string buffer(kValueBufferSize, '\0');
    const std::uint32_t count = profile_.GetPrivateProfileStringA(
        psSection.c_str(), psKey.c_str(), "", buffer.data(), kValueBufferSize, fileName_.c_str());
    if (count == 0) {
        CaptureLastError();
        return false;
    }
    psValue = TextOf(buffer);
    return true;
}

bool Tolv_CIni::ReadSection(const std::string& psSection, std::vector<std::string>& psKeys,
                            std::vector<std::string>& psValues) {
    if (!CheckFileName() || RefuseEmbeddedNul({&psSection}))
        return false;
    std::string buffer(kSectionBufferSize, '\0');
    const std::uint32_t count = profile_.GetPrivateProfileSectionA(
        psSection.c_str(), buffer.data(), kSectionBufferSize, fileName_.c_str());
    if (count == 0) {
        CaptureLastError();
        return false;
    }
    std::vector<std::string> keys;
    std::vector<std::string> values;
    ScanNulList(buffer, count, [&](std::string_view entry) {
        // An entry without "=" is all key: a bare line of the section.
        const std::size_t eq = entry.find('=');
        keys.emplace_back(entry.substr(0, eq));
        values.emplace_back(eq == std::string_view::npos ? std::string_view()
                                                         : entry.substr(eq + 1));
    });
    psKeys = std::move(keys);
    psValues = std::move(values);
    return true;
}

bool Tolv_CIni::WriteValue(const std::string& psSection, const std::string& psKey,
                           const std::string& psValue) {
    if (!CheckFileName() || RefuseEmbeddedNul({&psSection, &psKey, &psValue}))
        return false;
    if (profile_.WritePrivateProfileStringA(psSection.c_str(), psKey.c_str(), psValue.c_str(),
                                            fileName_.c_str()) == 0) {
        CaptureLastError();
        return false;
    }
    return true;
}

bool Tolv_CIni::WriteSection(const std::string& psSection, const std::vector<std::string>& psKeys,
                             const std::vector<std::string>& psValues) {
    if (!CheckFileName())
        return false;
    if (psKeys.size() != psValues.size()) {
        lastErrorDescription_ = "Key array and Value array must be of the same size";
        return false;
    }
    if (RefuseEmbeddedNul({&psSection}))
        return false;
    std::string entries;
    for (std::size_t i = 0; i < psKeys.size(); ++i) {
        // A NUL inside a key or value would split it into entries of its own.
        if (RefuseEmbeddedNul({&psKeys[i], &psValues[i]}))
            return false;
        entries.append(psKeys[i]).append("=").append(psValues[i]).push_back('\0');
    }
    // c_str() adds the NUL that ends the list.
    if (profile_.WritePrivateProfileSectionA(psSection.c_str(), entries.c_str(),
                                             fileName_.c_str()) == 0) {
        CaptureLastError();
        return false;
    }
    return true;
}

bool Tolv_CIni::Enum_SectionNames(std::vector<std::string>& psSectionNames) {
    if (!CheckFileName())
        return false;
    std::string buffer(kNamesBufferSize, '\0');
    const std::uint32_t count =
        profile_.GetPrivateProfileSectionNamesA(buffer.data(), kNamesBufferSize, fileName_.c_str());
    if (count == 0) {
        CaptureLastError();
        return false;
    }
    std::vector<std::string> names;
    ScanNulList(buffer, count, [&](std::string_view name) { names.emplace_back(name); });
    psSectionNames = std::move(names);
    return true;
}

void Tolv_CIni::BeginWrites() {
    profile_.BeginWrites(fileName_.c_str());
}

bool Tolv_CIni::EndWrites() {
    if (profile_.CommitWrites() == 0) {
        CaptureLastError();
        return false;
    }
    return true;
}

bool Tolv_CIni::CheckFileName() {
    if (fileName_.empty()) {
        lastErrorDescription_ = "No filename specified";
        return false;
    }
    return RefuseEmbeddedNul({&fileName_}) == false;
}

void Tolv_CIni::CaptureLastError() {
    RecordError(profile_.GetLastError());
}

void Tolv_CIni::RecordError(std::uint32_t code) {
    LastErrorCode = static_cast<std::int32_t>(code);
    if (code == 0) {
        lastErrorDescription_ = "An unknown error has occured";
        return;
    }
    std::string buffer(kMessageBufferSize, '\0');
    std::uint32_t none = 0;
    profile_.FormatMessageA(platform::kFormatMessageFromSystem |
                                platform::kFormatMessageIgnoreInserts,
                            &none, code, 0, buffer.data(), kMessageBufferSize, &none);
    lastErrorDescription_ = TextOf(buffer);
}

// The platform takes NUL-terminated texts: a NUL inside one would silently
// hand it a different section, key, value or file name.
bool Tolv_CIni::RefuseEmbeddedNul(std::initializer_list<const std::string*> texts) {
    for (const std::string* text : texts) {
        if (text->find('\0') != std::string::npos) {
            RecordError(kErrorInvalidParameter);
            return true;
        }
    }
    return false;
}
