#include "config/hugo_ini.h"

#include "app/shortpath.h"

#include <gtest/gtest.h>

namespace {

using hugo::Field;

// --- Stored values: what each one selects, and what is left alone ---

struct ApplyCase {
    Field field;
    std::string stored;
    std::optional<int> expected; // none: the field keeps what it had
};

class StoredValue : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(StoredValue, SelectsOnlyWhatItsControlCanShow) {
    const ApplyCase& c = GetParam();
    constexpr int kUntouched = -99;
    hugo::Settings settings;
    settings.videoMode.reset();
    settings.eagle = settings.exactDraw = settings.sound = settings.staticRefresh = kUntouched;

    hugo::Apply(settings, c.field, c.stored);

    if (hugo::IsChoice(c.field)) {
        EXPECT_EQ(hugo::Choice(settings, c.field), c.expected);
    } else {
        EXPECT_EQ(hugo::Switch(settings, c.field), c.expected.value_or(kUntouched));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Decoding, StoredValue,
    ::testing::Values(ApplyCase{Field::VideoMode, "0", 0}, ApplyCase{Field::VideoMode, "4", 4},
                      ApplyCase{Field::VideoMode, "5", {}}, ApplyCase{Field::VideoMode, "-5", {}},
                      ApplyCase{Field::VideoMode, "300", {}},
                      ApplyCase{Field::VideoMode, "abc", {}}, ApplyCase{Field::VideoMode, "3x", {}},
                      ApplyCase{Field::VideoMode, "", {}},
                      ApplyCase{Field::VideoMode, "99999999999999999999", {}},
                      ApplyCase{Field::Language, "7", 7}, ApplyCase{Field::Language, "9", {}},
                      ApplyCase{Field::Input, "3", 3}, ApplyCase{Field::Input, "4", {}},
                      ApplyCase{Field::Eagle, "2", 2}, ApplyCase{Field::Eagle, "3", {}},
                      ApplyCase{Field::Eagle, "-1", {}}, ApplyCase{Field::ExactDraw, "1", 1},
                      ApplyCase{Field::StaticRefresh, "0", 0}, ApplyCase{Field::Sound, "-1", 1},
                      ApplyCase{Field::Sound, "-2", 2}, ApplyCase{Field::Sound, "0", 0},
                      ApplyCase{Field::Sound, "1", {}}, ApplyCase{Field::Sound, "-3", {}}));

// --- Written values ---

struct EncodeCase {
    Field field;
    int state; // check state, or the selected position (-1: none)
    std::optional<std::string> expected;
};

class WrittenValue : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(WrittenValue, FollowsTheEmulatorsEncoding) {
    const EncodeCase& c = GetParam();
    hugo::Settings settings;
    if (hugo::IsChoice(c.field)) {
        hugo::Choice(settings, c.field) = c.state < 0 ? std::nullopt : std::optional<int>(c.state);
    } else {
        hugo::Switch(settings, c.field) = c.state;
    }
    EXPECT_EQ(hugo::Encode(settings, c.field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encoding, WrittenValue,
    ::testing::Values(EncodeCase{Field::Eagle, hugo::kClear, "0"},
                      EncodeCase{Field::Eagle, hugo::kChecked, "1"},
                      EncodeCase{Field::Eagle, hugo::kIndeterminate, "1"},
                      EncodeCase{Field::StaticRefresh, hugo::kIndeterminate, "1"},
                      EncodeCase{Field::Sound, hugo::kClear, "0"},
                      EncodeCase{Field::Sound, hugo::kChecked, "-1"},
                      EncodeCase{Field::Sound, hugo::kIndeterminate, "-1"},
                      EncodeCase{Field::VideoMode, 4, "4"}, EncodeCase{Field::VideoMode, -1, {}},
                      EncodeCase{Field::Language, -1, {}}, EncodeCase{Field::Input, 0, "0"}));

TEST(RomDirToStore, ClosesATypedDirectoryBeforeShortening) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(D:\roms\pce)", R"(D:\roms\pce\)"},
        {R"(C:\Program Files\Hu-Go\)", R"(C:\Progra~1\Hu-Go\)"},
        {R"(D:\PC Engine Games)", R"(D:\PC Eng~1\)"},
        {"", ""},
        {"roms", "roms\\"},
    };
    for (const auto& [typed, stored] : cases) {
        EXPECT_EQ(hugo::RomDirToStore(typed, &ShortPath), stored) << typed;
    }
}

} // namespace
