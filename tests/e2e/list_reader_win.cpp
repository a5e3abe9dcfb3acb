// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Reads the main window's lists from another process, as a screen reader
// does: the drive list's rows as the combo box gives them, every row of the
// other lists through the accessibility interface, each as "list<TAB>row" in
// UTF-8. Exits with 1 when a list cannot be read that way.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text, int size) {
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr,
                                                                   0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

int failures = 0;

void ReadCombo(HWND combo) {
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring text(
            static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, row, 0)) + 1, L'\0');
        const auto size = static_cast<int>(
            SendMessageW(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data())));
        std::printf("Drive\t%s\n", Utf8(text.data(), size < 0 ? 0 : size).c_str());
    }
}

void ReadList(HWND list) {
    IAccessible* rows = nullptr;
    if (FAILED(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&rows)))) {
        std::fprintf(stderr, "a list answers for no rows\n");
        ++failures;
        return;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR listName = nullptr;
    rows->get_accName(self, &listName);
    const std::string name =
        listName ? Utf8(listName, static_cast<int>(SysStringLen(listName))) : "";
    long count = 0;
    rows->get_accChildCount(&count);
    for (long row = 1; row <= count; ++row) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = row;
        BSTR text = nullptr;
        VARIANT role{};
        if (rows->get_accName(child, &text) != S_OK || rows->get_accRole(child, &role) != S_OK ||
            role.lVal != ROLE_SYSTEM_LISTITEM) {
            std::fprintf(stderr, "row %ld of %s has no name or is no list item\n", row,
                         name.c_str());
            ++failures;
        }
        std::printf("%s\t%s\n", name.c_str(),
                    text ? Utf8(text, static_cast<int>(SysStringLen(text))).c_str() : "");
        SysFreeString(text);
    }
    SysFreeString(listName);
    rows->Release();
}

BOOL CALLBACK Each(HWND child, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (std::wstring(cls) == L"ComboBox") {
        ReadCombo(child);
    } else if (std::wstring(cls) == L"ListBox" && GetParent(child) != nullptr &&
               GetWindowLongPtrW(child, GWLP_ID) != 1000) { // not a combo box's own list
        ReadList(child);
    }
    return TRUE;
}

} // namespace

int main() {
    CoInitialize(nullptr);
    HWND main = FindWindowW(L"VorlanesFrontend", nullptr);
    if (!main) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    EnumChildWindows(main, Each, 0);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
