// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/shortpath.h"
#include "location/emulator_location.h"

#include <gtest/gtest.h>

namespace {

struct StoredCase {
    const char* typed;
    const char* stored;
};

class StoredFormTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredFormTest, EndsInASeparatorInShortForm) {
    EXPECT_EQ(location::StoredForm(GetParam().typed, &ShortPath), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredFormTest,
    ::testing::Values(StoredCase{"", "\\"}, StoredCase{"D:\\Emu", "D:\\Emu\\"},
                      StoredCase{"D:\\Emu\\", "D:\\Emu\\"},
                      StoredCase{"C:\\Program Files\\Hu-Go", "C:\\Progra~1\\Hu-Go\\"},
                      StoredCase{"C:\\Emu\\hu-go!.exe", "C:\\Emu\\hu-go!~1\\"},
                      StoredCase{"C:\\12345678", "C:\\12345678\\"},
                      StoredCase{"C:\\123456789", "C:\\123456~1\\"}, StoredCase{"Emu", "Emu\\"}));

} // namespace
