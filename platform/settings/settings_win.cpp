// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings.h"

#include <windows.h>

namespace platform {
namespace {

// HKEY_CURRENT_USER\Software\<application>\<section>, where Qt's QSettings
// keeps the same entry, so that either program reads what the other wrote.
std::wstring Wide(const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// The code page's bytes for `wide`; false when a character has none.
bool Narrow(const std::wstring& wide, std::string* bytes) {
    bytes->clear();
    if (wide.empty()) {
        return true;
    }
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                           0, nullptr, &lossy);
    bytes->assign(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes->data(), needed,
                        nullptr, &lossy);
    return !lossy;
}

std::wstring KeyPath(const std::string& application, const std::string& section) {
    return L"Software\\" + Wide(application) + L"\\" + Wide(section);
}

std::string Reason(LSTATUS code) {
    char text[512] = {};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
        reason.pop_back();
    }
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

constexpr std::wstring_view kQtBytes = L"@ByteArray(";

class RegistrySettings final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        HKEY hkey = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0,
                          KEY_QUERY_VALUE, &hkey) != ERROR_SUCCESS) {
            return {};
        }
        const std::wstring name = Wide(key);
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
            return data;
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
            return bytes;
        }
        std::string bytes;
        Narrow(text, &bytes);
        return bytes;
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        HKEY hkey = nullptr;
        LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(),
                                         0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr);
        if (status != ERROR_SUCCESS) {
            return {false, "the registry key could not be created: " + Reason(status), {}};
        }
        // Text that the code page reads back unchanged is stored as text, readable
        // in the registry editor; any other bytes as they are.
        const std::wstring text = Wide(value);
        std::string back;
        const bool asText =
            Narrow(text, &back) && back == value && text.find(L'\0') == std::wstring::npos;
        if (asText) {
            status = RegSetValueExW(hkey, Wide(key).c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(text.c_str()),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        } else {
            status = RegSetValueExW(hkey, Wide(key).c_str(), 0, REG_BINARY,
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
