// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/code_page_win.h"
#include "platform/settings/settings.h"

namespace platform {
namespace {

// HKEY_CURRENT_USER\Software\<application>\<section>, where Qt's QSettings
// keeps the same entry, so that either program reads what the other wrote.
std::wstring KeyPath(const std::string& application, const std::string& section) {
    return L"Software\\" + WideFromCodePage(application) + L"\\" + WideFromCodePage(section);
}

std::string Reason(LSTATUS code) {
    return SystemReason(static_cast<DWORD>(code));
}

constexpr std::wstring_view kQtBytes = L"@ByteArray(";

// A NUL would cut the text short wherever it goes next: a value holding one
// reads as none at all.
std::string WithoutNul(std::string text) {
    return text.find('\0') == std::string::npos ? text : std::string();
}

class RegistrySettings final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        HKEY hkey = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0,
                          KEY_QUERY_VALUE, &hkey) != ERROR_SUCCESS) {
            return {};
        }
        const std::wstring name = WideFromCodePage(key);
        DWORD type = 0;
        DWORD size = 0;
        std::string data;
        LSTATUS status = RegQueryValueExW(hkey, name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            data.assign(size, '\0');
            status = RegQueryValueExW(hkey, name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
            data.resize(size);
        }
        RegCloseKey(hkey);
        if (status != ERROR_SUCCESS) {
            return {};
        }
        if (type == REG_BINARY) {
            return WithoutNul(data);
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return {};
        }
        std::wstring text(data.size() / sizeof(wchar_t), L'\0');
        data.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        // How Qt stores bytes: each byte one character, inside @ByteArray(...).
        if (text.starts_with(kQtBytes) && text.ends_with(L')')) {
            std::string bytes;
            for (std::size_t i = kQtBytes.size(); i + 1 < text.size(); ++i) {
                bytes += static_cast<char>(text[i] & 0xFF);
            }
            return WithoutNul(bytes);
        }
        return WithoutNul(CodePageFromWide(text));
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        if (value.find('\0') != std::string::npos) {
            return {false, "the text holds a NUL character, which no setting can keep.", {}};
        }
        HKEY hkey = nullptr;
        LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(),
                                         0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr);
        if (status != ERROR_SUCCESS) {
            return {false, "the registry key could not be created: " + Reason(status), {}};
        }
        // Text that the code page reads back unchanged is stored as text, readable
        // in the registry editor; any other bytes as they are.
        const std::wstring text = WideFromCodePage(value);
        bool lossy = false;
        const bool asText = CodePageFromWide(text, &lossy) == value && !lossy &&
                            text.find(L'\0') == std::wstring::npos;
        if (asText) {
            status = RegSetValueExW(hkey, WideFromCodePage(key).c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(text.c_str()),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        } else {
            status = RegSetValueExW(hkey, WideFromCodePage(key).c_str(), 0, REG_BINARY,
                                    reinterpret_cast<const BYTE*>(value.data()),
                                    static_cast<DWORD>(value.size()));
        }
        RegCloseKey(hkey);
        if (status != ERROR_SUCCESS) {
            return {false, "the registry value could not be written: " + Reason(status), {}};
        }
        return {};
    }
};

} // namespace

SettingsStore& SystemSettings() {
    static RegistrySettings store;
    return store;
}

} // namespace platform
