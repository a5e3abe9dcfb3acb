// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace platform {
class ProfileFunctions;
}

// Access to one INI file through the system's private-profile functions. Every
// operation goes straight to the file; failures return false and leave their
// reason in LastErrorDescription (a later success does not clear it).
class Tolv_CIni {
public:
    Tolv_CIni(); // the system's profile functions
    explicit Tolv_CIni(platform::ProfileFunctions& profile);
    ~Tolv_CIni();
    Tolv_CIni(const Tolv_CIni&) = delete;
    Tolv_CIni& operator=(const Tolv_CIni&) = delete;

    const std::string& FileName() const;
    void FileName(const std::string& New_FileName);
    const std::string& LastErrorDescription() const;

    bool ReadValue(const std::string& psSection, const std::string& psKey, std::string& psValue);
    bool ReadSection(const std::string& psSection, std::vector<std::string>& psKeys,
                     std::vector<std::string>& psValues);
    bool WriteValue(const std::string& psSection, const std::string& psKey,
                    const std::string& psValue);
    bool WriteSection(const std::string& psSection, const std::vector<std::string>& psKeys,
                      const std::vector<std::string>& psValues);
    bool Enum_SectionNames(std::vector<std::string>& psSectionNames);

    // The WriteValue calls between these reach the file together: it holds
    // either all of them or none. EndWrites fails as a write does.
    void BeginWrites();
    bool EndWrites();

private:
    bool CheckFileName();
    void CaptureLastError();
    void RecordError(std::uint32_t code);
    bool RefuseEmbeddedNul(std::initializer_list<const std::string*> texts);

    platform::ProfileFunctions& profile_;
    std::string fileName_;
    std::int32_t LastErrorCode = 0;
    std::string lastErrorDescription_;
};
