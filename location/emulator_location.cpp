// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/emulator_location.h"

namespace location {
namespace {
bool EndsWithSeparator(const std::string& text) {
    return !text.empty() && text.back() == '\\';
}
} // namespace

std::string ReadEmulatorDir(platform::SettingsStore& store) {
    return store.Read(kApplication, kSection, kKey);
}

platform::SaveResult SaveEmulatorDir(platform::SettingsStore& store, const std::string& dir) {
    return store.Save(kApplication, kSection, kKey, dir);
}

std::string StoredForm(const std::string& typed, const ShortPathFunction& shortPath) {
    std::string text = typed;
    if (!EndsWithSeparator(text)) {
        text += '\\';
    }
    text = shortPath(text);
    if (!EndsWithSeparator(text)) {
        text += '\\';
    }
    return text;
}

std::string FormLeadingThere(const platform::PathMap& paths, const std::string& typed,
                             const std::string& shortForm, platform::PathMap::Reader reader) {
    return paths.FormLeadingTo(EndsWithSeparator(typed) ? typed : typed + '\\', shortForm, reader);
}

} // namespace location
