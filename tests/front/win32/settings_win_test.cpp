// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The registry store: what is saved reads back byte for byte, and what Qt's
// settings wrote under the same names reads as the same value.
#include "platform/settings/settings.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr char kApplication[] = "VorlanesTest";

struct Registry : ::testing::Test {
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VorlanesTest"); }
};

TEST_F(Registry, SavedBytesReadBackUnchanged) {
    const std::string cases[] = {
        "C:\\Progra~1\\Hu-Go\\", "",
        "D:\\Jeux\\\xC9mulateurs\\",  // a letter of the code page
        "D:\\\x81\x8D\x8F\x90\x9D\\", // bytes no code page character stands for
    };
    platform::SettingsStore& store = platform::SystemSettings();
    for (const std::string& value : cases) {
        ASSERT_TRUE(store.Save(kApplication, "HuGo", "Path", value).ok);
        EXPECT_EQ(store.Read(kApplication, "HuGo", "Path"), value);
    }
    // A NUL would cut the program's name short at Go: refused, never cut.
    EXPECT_FALSE(store.Save(kApplication, "HuGo", "Path", std::string("A\0B\\", 4)).ok);
}

TEST_F(Registry, ReadsWhatQtStoredUnderTheSameNames) {
    struct Case {
        std::wstring stored;
        std::string read;
    };
    const Case cases[] = {
        {L"C:\\Hu-Go\\", "C:\\Hu-Go\\"},
        {L"@ByteArray(C:\\\x81\\)", "C:\\\x81\\"},
        {std::wstring(L"C:\\Emu\\\0D:\\", 11), ""}, // a NUL stored by another program
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VorlanesTest\\HuGo", L"Path",
                                  REG_SZ, c.stored.c_str(),
                                  static_cast<DWORD>((c.stored.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        EXPECT_EQ(platform::SystemSettings().Read(kApplication, "HuGo", "Path"), c.read);
    }
    EXPECT_EQ(platform::SystemSettings().Read(kApplication, "HuGo", "Other"), "");
}

} // namespace
