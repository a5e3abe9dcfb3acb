// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/hugo_ini.h"

#include "ini/tolv_cini.h"

#include <charconv>

namespace hugo {
namespace {

// A whole decimal number, optionally negative, and nothing else. Numbers too
// large for a long long come out as none, like any other unusable text.
std::optional<long long> WholeNumber(const std::string& text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first == last) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string IniFileName(const std::string& emulatorDir) {
    return emulatorDir + std::string(kFileName);
}

bool IsChoice(Field field) {
    return field == Field::VideoMode || field == Field::Language || field == Field::Input;
}

int GroupSize(Field field) {
    switch (field) {
    case Field::VideoMode:
        return 5;
    case Field::Language:
        return 8;
    case Field::Input:
        return 4;
    default:
        return 0;
    }
}

std::optional<int>& Choice(Settings& settings, Field field) {
    return const_cast<std::optional<int>&>(Choice(static_cast<const Settings&>(settings), field));
}

const std::optional<int>& Choice(const Settings& settings, Field field) {
    switch (field) {
    case Field::Language:
        return settings.language;
    case Field::Input:
        return settings.input;
    default:
        return settings.videoMode;
    }
}

int& Switch(Settings& settings, Field field) {
    switch (field) {
    case Field::ExactDraw:
        return settings.exactDraw;
    case Field::Sound:
        return settings.sound;
    case Field::StaticRefresh:
        return settings.staticRefresh;
    default:
        return settings.eagle;
    }
}

int Switch(const Settings& settings, Field field) {
    return Switch(const_cast<Settings&>(settings), field);
}

void Apply(Settings& settings, Field field, const std::string& stored) {
    if (field == Field::RomDir) {
        settings.romDir = stored;
        return;
    }
    const std::optional<long long> number = WholeNumber(stored);
    if (!number) {
        return;
    }
    if (IsChoice(field)) {
        if (*number >= 0 && *number < GroupSize(field)) {
            Choice(settings, field) = static_cast<int>(*number);
        }
        return;
    }
    // The emulator stores sound on as -1, so its check state is the negation;
    // the range is checked first, since the smallest long long has no negation.
    const long long low = field == Field::Sound ? -kGrayed : kClear;
    const long long high = field == Field::Sound ? kClear : kGrayed;
    if (*number >= low && *number <= high) {
        const int state = static_cast<int>(*number);
        Switch(settings, field) = field == Field::Sound ? -state : state;
    }
}

std::optional<std::string> Encode(const Settings& settings, Field field) {
    if (field == Field::RomDir) {
        return settings.romDir;
    }
    if (IsChoice(field)) {
        const std::optional<int>& choice = Choice(settings, field);
        if (!choice) {
            return std::nullopt;
        }
        return std::to_string(*choice);
    }
    // Indeterminate counts as on: the emulator knows only on and off.
    const bool on = Switch(settings, field) != kClear;
    if (!on) {
        return std::string("0");
    }
    return std::string(field == Field::Sound ? "-1" : "1");
}

void Load(Tolv_CIni& ini, Settings& settings) {
    const std::string section(kSection);
    for (const Key& key : kReadOrder) {
        std::string stored;
        if (ini.ReadValue(section, std::string(key.name), stored)) {
            Apply(settings, key.field, stored);
        } else if (key.field == Field::RomDir) {
            settings.romDir.clear();
        }
    }
}

Fields Changed(const Settings& before, const Settings& after) {
    Fields changed;
    for (const Key& key : kReadOrder) {
        const Field f = key.field;
        const bool differs = f == Field::RomDir ? before.romDir != after.romDir
                             : IsChoice(f)      ? Choice(before, f) != Choice(after, f)
                                                : Switch(before, f) != Switch(after, f);
        changed.set(static_cast<std::size_t>(f), differs);
    }
    return changed;
}

bool Save(Tolv_CIni& ini, const Settings& settings, Fields fields) {
    const std::string section(kSection);
    bool allWritten = true;
    // One replacement of the file: a kill midway leaves it old or new.
    ini.BeginWrites();
    for (const Key& key : kWriteOrder) {
        if (!fields.test(static_cast<std::size_t>(key.field))) {
            continue;
        }
        const std::optional<std::string> value = Encode(settings, key.field);
        if (value && !ini.WriteValue(section, std::string(key.name), *value)) {
            allWritten = false;
        }
    }
    return ini.EndWrites() && allWritten;
}

std::string RomDirToStore(const std::string& text, const ShortPathFunction& shortPath) {
    if (text.empty()) {
        return text;
    }
    return shortPath(text.back() == '\\' ? text : text + '\\');
}

} // namespace hugo
