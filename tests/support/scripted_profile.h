// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/profile/profile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fakes {

// Profile functions with a hook in front of some: a write that fails on
// purpose, a section as another platform might return it, a given error code,
// a settle that fails.
class ScriptedProfile : public platform::ProfileFunctions {
public:
    explicit ScriptedProfile(platform::ProfileFunctions& real) : real_(real) {}

    std::function<bool(const char* key)> failWrite = [](const char*) { return false; };
    std::string section;    // when set: the section's entries, "k=v\0...\0"
    std::uint32_t code = 0; // when set: the last error
    std::vector<std::string> writtenKeys;

    std::uint32_t GetPrivateProfileStringA(const char* s, const char* k, const char* d, char* b,
                                           std::uint32_t n, const char* f) override {
        return real_.GetPrivateProfileStringA(s, k, d, b, n, f);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* s, char* b, std::uint32_t n,
                                            const char* f) override {
        if (section.empty())
            return real_.GetPrivateProfileSectionA(s, b, n, f);
        section.copy(b, n);
        return static_cast<std::uint32_t>(section.size() - 1);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* b, std::uint32_t n, const char* f) override {
        return real_.GetPrivateProfileSectionNamesA(b, n, f);
    }
    std::int32_t WritePrivateProfileStringA(const char* s, const char* k, const char* v,
                                            const char* f) override {
        writtenKeys.emplace_back(k ? k : "");
        if (failWrite(k))
            return 0;
        return real_.WritePrivateProfileStringA(s, k, v, f);
    }
    std::int32_t WritePrivateProfileSectionA(const char* s, const char* e, const char* f) override {
        return real_.WritePrivateProfileSectionA(s, e, f);
    }
    std::uint32_t GetLastError() override { return code ? code : real_.GetLastError(); }
    std::uint32_t FormatMessageA(std::uint32_t fl, const void* so, std::uint32_t id,
                                 std::uint32_t la, char* b, std::uint32_t n, void* a) override {
        return real_.FormatMessageA(fl, so, id, la, b, n, a);
    }
    bool SettleCutWrites(const std::string& f) override {
        return settles && real_.SettleCutWrites(f);
    }

    bool settles = true; // false: as when another program holds the file past the wait

private:
    platform::ProfileFunctions& real_;
};

} // namespace fakes
