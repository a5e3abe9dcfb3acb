// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Tolv_CIni;

// The emulator's own configuration file and the eight keys of its section
// "Main" that the setup dialog edits. Everything else in the file belongs to
// the emulator and is never touched: every access is one key at a time.
namespace hugo {

inline constexpr std::string_view kSection = "Main";
inline constexpr std::string_view kFileName = "Hu-go!.ini";

// The file inside the stored emulator directory, which already ends in "\";
// with no directory stored it is the bare name.
std::string IniFileName(const std::string& emulatorDir);

enum class Field { VideoMode, Language, RomDir, Eagle, ExactDraw, Sound, StaticRefresh, Input };

struct Key {
    Field field;
    std::string_view name;
};

// The emulator wrote "config" in lower case; the dialog has always written it
// back as "Config". Key names are matched without regard to case, so both
// address the same entry.
inline constexpr std::array<Key, 8> kReadOrder{{
    {Field::VideoMode, "vmode"},
    {Field::Language, "language"},
    {Field::RomDir, "rom_dir"},
    {Field::Eagle, "eagle"},
    {Field::ExactDraw, "exact_draw"},
    {Field::Sound, "smode"},
    {Field::StaticRefresh, "static_refresh"},
    {Field::Input, "config"},
}};
inline constexpr std::array<Key, 8> kWriteOrder{{
    {Field::VideoMode, "vmode"},
    {Field::Input, "Config"},
    {Field::Language, "language"},
    {Field::RomDir, "rom_dir"},
    {Field::Eagle, "eagle"},
    {Field::ExactDraw, "exact_draw"},
    {Field::Sound, "smode"},
    {Field::StaticRefresh, "static_refresh"},
}};

// Check states as the dialog shows them.
inline constexpr int kClear = 0;
inline constexpr int kChecked = 1;
inline constexpr int kIndeterminate = 2;

// What the dialog shows. A choice is the zero-based position of the selected
// option in its group, or none; a switch is a check state.
struct Settings {
    std::optional<int> videoMode = 0; // the first video mode is selected before loading
    std::optional<int> language;
    std::string romDir; // bytes as stored: the file's code page is not ours to know
    int eagle = kClear;
    int exactDraw = kClear;
    int sound = kClear;
    int staticRefresh = kClear;
    std::optional<int> input;
};

bool IsChoice(Field field);
// Number of options of a choice's group.
int GroupSize(Field field);
std::optional<int>& Choice(Settings& settings, Field field);
const std::optional<int>& Choice(const Settings& settings, Field field);
int& Switch(Settings& settings, Field field);
int Switch(const Settings& settings, Field field);

// Applies one stored value to the settings. A value that does not select
// anything (not a whole decimal number, or out of the control's range) leaves
// the field as it was. "rom_dir" is taken unchanged.
void Apply(Settings& settings, Field field, const std::string& stored);

// The text written for a field, or none when nothing is to be written (a
// choice group without a selection keeps its entry in the file).
std::optional<std::string> Encode(const Settings& settings, Field field);

// Reads the eight keys in their order, each into a fresh text, and applies each
// before reading the next. A missing or empty entry leaves its field as it was,
// except "rom_dir", which then reads as the empty text.
void Load(Tolv_CIni& ini, Settings& settings);

// The longest value one read gives back: a longer one comes back cut to this.
inline constexpr std::size_t kLongestRead = 254;

// Writes in the fixed order; a failed write does not stop the ones after it.
// With keepRomDir, "rom_dir" is left as it is in the file. True when every
// attempted write succeeded.
bool Save(Tolv_CIni& ini, const Settings& settings, bool keepRomDir = false);

using ShortPathFunction = std::function<std::string(const std::string&)>;
// What OK stores for the ROM directory box: a typed directory without its
// closing "\" gets one, so that the short path keeps its last name; an empty
// box stays empty.
std::string RomDirToStore(const std::string& text, const ShortPathFunction& shortPath);

} // namespace hugo
