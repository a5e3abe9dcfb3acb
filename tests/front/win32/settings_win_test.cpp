// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The registry store: what is saved reads back byte for byte, and what Qt's
// settings wrote under the same names reads as the same value.
#include "platform/settings/settings.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// A key of each test's own: ctest runs them side by side.
struct Registry : ::testing::Test {
    const std::string application = std::string("VorlanesTest") +
                                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string key = "Software\\" + application;
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
};

TEST_F(Registry, SavedBytesReadBackUnchanged) {
    const std::string cases[] = {
        "C:\\Progra~1\\Hu-Go\\", "",
        "D:\\Jeux\\\xC9mulateurs\\",  // a letter of the code page
        "D:\\\x81\x8D\x8F\x90\x9D\\", // bytes no code page character stands for
    };
    platform::SettingsStore& store = platform::SystemSettings();
    for (const std::string& value : cases) {
        ASSERT_TRUE(store.Save(application, "HuGo", "Path", value).ok);
        EXPECT_EQ(store.Read(application, "HuGo", "Path"), value);
    }
    // A NUL would cut the program's name short at Go: refused, never cut.
    EXPECT_FALSE(store.Save(application, "HuGo", "Path", std::string("A\0B\\", 4)).ok);
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
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Wide(key + "\\HuGo").c_str(), L"Path", REG_SZ,
                                  c.stored.c_str(),
                                  static_cast<DWORD>((c.stored.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        EXPECT_EQ(platform::SystemSettings().Read(application, "HuGo", "Path"), c.read);
    }
    EXPECT_EQ(platform::SystemSettings().Read(application, "HuGo", "Other"), "");
}

} // namespace
