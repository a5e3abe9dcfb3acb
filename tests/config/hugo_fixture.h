// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/files/paths.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <iterator>

// A fresh directory for one "Hu-go!.ini".
class IniDir : public TempDir {
public:
    // The directory as the emulator location setting holds it.
    std::string SystemDir() const { return platform::PathMap::System().ToSystem(native()) + "\\"; }
    std::string File() const { return native() + "/Hu-go!.ini"; }
    void Write(const std::string& bytes) const { TempDir::Write("Hu-go!.ini", bytes); }
    std::string Read() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

// The user's settings: the emulator is installed in `dir`.
class FakeSettings : public fakes::Settings {
public:
    std::string dir;
    std::string Read(const std::string&, const std::string&, const std::string&) override {
        return dir;
    }
};
