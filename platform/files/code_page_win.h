// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The program's text is bytes in the system code page; Windows keeps names as
// UTF-16. These cross between the two where the system is called.
namespace platform {

std::wstring Widen(UINT codePage, std::string_view bytes);
inline std::wstring WideFromCodePage(std::string_view bytes) {
    return Widen(CP_ACP, bytes);
}
// A character the code page lacks becomes "?"; `lossy`, when given, tells
// whether one did. Never a look-alike: "?" cannot stand in a real name.
std::string CodePageFromWide(std::wstring_view wide, bool* lossy = nullptr);
std::string Utf8FromWide(std::wstring_view wide);

// The system's text for an error, without the line break it ends in.
std::string SystemReason(DWORD code);

// Why a name holding "?" cannot be used: the code page lacks some of its
// characters, and programs of the code page (the emulator too) cannot be
// handed it.
bool LacksCodePageCharacters(std::string_view name);
extern const char kLackedCharacters[];

} // namespace platform
