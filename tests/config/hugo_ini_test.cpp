// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/hugo_ini.h"
#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"

namespace {

using hugo::Field;

// The last option of each group is taken, the one past it is not.
TEST(KeySet, ChoicesOnlyInsideTheirGroup) {
    const struct {
        Field field;
        const char* stored;
        std::optional<int> chosen; // from none
    } cases[] = {
        {Field::VideoMode, "4", 4},
        {Field::VideoMode, "5", std::nullopt},
        {Field::Language, "7", 7},
        {Field::Language, "8", std::nullopt},
        {Field::Input, "3", 3},
        {Field::Input, "4", std::nullopt},
        {Field::Input, "-1", std::nullopt},
    };
    for (const auto& [field, stored, chosen] : cases) {
        hugo::Settings settings;
        hugo::Choice(settings, field) = std::nullopt;
        hugo::Apply(settings, field, stored);
        EXPECT_EQ(hugo::Choice(settings, field), chosen) << stored;
    }
}

class Save : public ::testing::Test {
protected:
    void SetUp() override {
        settings = {1, 2, "C:\\R\\", hugo::kChecked, hugo::kClear, hugo::kChecked, hugo::kGrayed,
                    3};
        ini.FileName(file);
    }
    ini_test::TempDir dir;
    const std::string file = dir.Path("Hu-go!.ini");
    ini_test::Scripted profile;
    Tolv_CIni ini{profile};
    hugo::Settings settings;
};

// A new file shows the order and the spelling of the keys as the dialog writes them.
TEST_F(Save, NewFileInWriteOrderWithConfigCapitalised) {
    EXPECT_TRUE(hugo::Save(ini, settings));
    EXPECT_EQ(ini_test::ReadFile(file), "[Main]\r\nvmode=1\r\nConfig=3\r\nlanguage=2\r\n"
                                        "rom_dir=C:\\R\\\r\neagle=1\r\nexact_draw=0\r\n"
                                        "smode=-1\r\nstatic_refresh=1\r\n");
}

TEST_F(Save, FailedWriteStopsNoneAfterIt) {
    profile.failWrite = [](const char* key) { return std::string(key) == "vmode"; };
    EXPECT_FALSE(hugo::Save(ini, settings));
    EXPECT_EQ(profile.writtenKeys.size(), 8u);
    EXPECT_EQ(ini_test::ReadFile(file), "[Main]\r\nConfig=3\r\nlanguage=2\r\n"
                                        "rom_dir=C:\\R\\\r\neagle=1\r\nexact_draw=0\r\n"
                                        "smode=-1\r\nstatic_refresh=1\r\n");
}

// What one stored text does to a field that starts out as `before`.
struct Case {
    hugo::Field field;
    std::string stored;
    int after; // a switch's state, or a choice's position (-1: none)
};

int Value(const hugo::Settings& settings, hugo::Field field) {
    if (hugo::IsChoice(field)) {
        const std::optional<int>& choice = hugo::Choice(settings, field);
        return choice ? *choice : -1;
    }
    return hugo::Switch(settings, field);
}

TEST(HugoIni, AnyTextAppliesSafely) {
    // Every field starts unselected / clear except the marked one.
    const Case cases[] = {
        {Field::Sound, "-1", 1},
        {Field::Sound, "-2", 2},
        {Field::Sound, "1", 0},
        {Field::Sound, "-9223372036854775808", 0},
        {Field::Sound, "9223372036854775807", 0},
        {Field::Sound, "-9223372036854775809", 0},
        {Field::Sound, "+1", 0},
        {Field::Sound, " -1", 0},
        {Field::Sound, "-1 ", 0},
        {Field::Sound, "--1", 0},
        {Field::Sound, "-", 0},
        {Field::Sound, "", 0},
        {Field::Eagle, "-9223372036854775808", 0},
        {Field::Eagle, "2", 2},
        {Field::Eagle, "1e3", 0},
        {Field::Eagle, "0x1", 0},
        {Field::Eagle, "\xC2\xB9", 0},
        {Field::Eagle, "1\xFF", 0},
        {Field::ExactDraw, "99999999999999999999999999", 0},
        {Field::StaticRefresh, "1", 1},
        {Field::VideoMode, "-9223372036854775808", -1},
        {Field::VideoMode, "4", 4},
        {Field::VideoMode, "5", -1},
        {Field::VideoMode, "4.0", -1},
        {Field::Language, "7", 7},
        {Field::Language, "-0", 0},
        {Field::Language, "9223372036854775807", -1},
        {Field::Input, "3", 3},
        {Field::Input, "\x80", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        hugo::Settings settings;
        settings.videoMode.reset();
        hugo::Apply(settings, c.field, c.stored);
        EXPECT_EQ(Value(settings, c.field), c.after);
    }
}

} // namespace
