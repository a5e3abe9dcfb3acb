// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

namespace platform {

struct SaveResult {
    bool ok = true;
    std::string reason; // why the save failed, for the user; empty on success
    std::string note;   // on success, what else was done that the user must know
};

// The per-user settings store: named text values addressed by application,
// section and key, private to the user and kept across runs.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or the empty text when the entry is absent or the store
    // cannot be read (damaged, or not a file at all).
    virtual std::string Read(const std::string& application, const std::string& section,
                             const std::string& key) = 0;
    // Creates what is missing, private to the user from the start, and replaces
    // the old value. A damaged store is set aside under a name the note gives and
    // replaced. A failed save leaves the store reading as it did before.
    virtual SaveResult Save(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) = 0;
};

// The real store of the current user.
SettingsStore& SystemSettings();

} // namespace platform
