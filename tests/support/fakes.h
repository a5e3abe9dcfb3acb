// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/services.h"
#include "support/scripted_profile.h"

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

struct System {
    Settings settings;
    Starter starter;
    ScriptedProfile profile{platform::SystemProfile()};
    platform::Services services() {
        return {settings, starter, platform::PathMap::System(), profile};
    }
};

} // namespace fakes
