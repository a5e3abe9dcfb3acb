// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/services.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

// Stand-ins for the operating system, so tests never touch the user's settings,
// start programs or open real file dialogs.
namespace fakes {

class Settings : public platform::SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        auto it = values.find({application, section, key});
        return it == values.end() ? std::string() : it->second;
    }
    platform::SaveResult Save(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) override {
        if (failSaves) {
            return {false, "the settings file is read-only.", {}};
        }
        values[{application, section, key}] = value;
        return {true, {}, note};
    }
    std::string Path() { return Read("Vorlanes", "HuGo", "Path"); }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    bool failSaves = false;
    std::string note; // what a successful save has to tell
};

class Starter : public platform::ProgramStarter {
public:
    using ProgramStarter::Start;
    platform::StartResult Start(const std::string& commandLine,
                                const std::vector<platform::KnownDirectory>& known) override {
        started.push_back(commandLine);
        knownDirectories.push_back(known);
        return result;
    }
    std::vector<std::string> started;
    std::vector<std::vector<platform::KnownDirectory>> knownDirectories;
    platform::StartResult result;
};

// The system's profile functions, with a settle that can be made to fail
// as it does when another program holds the file.
class Profile : public platform::ProfileFunctions {
public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override {
        return real.GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionA(const char* section, char* buffer, std::uint32_t size,
                                            const char* fileName) override {
        return real.GetPrivateProfileSectionA(section, buffer, size, fileName);
    }
    std::uint32_t GetPrivateProfileSectionNamesA(char* buffer, std::uint32_t size,
                                                 const char* fileName) override {
        return real.GetPrivateProfileSectionNamesA(buffer, size, fileName);
    }
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) override {
        return real.WritePrivateProfileStringA(section, key, value, fileName);
    }
    std::int32_t WritePrivateProfileSectionA(const char* section, const char* entries,
                                             const char* fileName) override {
        return real.WritePrivateProfileSectionA(section, entries, fileName);
    }
    std::uint32_t GetLastError() override { return real.GetLastError(); }
    std::uint32_t FormatMessageA(std::uint32_t flags, const void* source, std::uint32_t messageId,
                                 std::uint32_t languageId, char* buffer, std::uint32_t size,
                                 void* arguments) override {
        return real.FormatMessageA(flags, source, messageId, languageId, buffer, size, arguments);
    }
    bool SettleCutWrites(const std::string& fileName) override {
        settled.push_back(fileName);
        return settles && real.SettleCutWrites(fileName);
    }

    platform::ProfileFunctions& real = platform::SystemProfile();
    bool settles = true;
    std::vector<std::string> settled;
};

struct System {
    Settings settings;
    Starter starter;
    Profile profile;
    platform::Services services() {
        return {settings, starter, platform::PathMap::System(), profile};
    }
};

} // namespace fakes
