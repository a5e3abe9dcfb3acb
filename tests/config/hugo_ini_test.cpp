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
        settings = {
            1, 2, "C:\\R\\", hugo::kChecked, hugo::kClear, hugo::kChecked, hugo::kIndeterminate, 3};
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

} // namespace
