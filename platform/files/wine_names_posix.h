// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <string_view>

namespace platform {

// The code page Wine gives Windows programs such as the emulator, from this
// process's locale as Wine reads it (LC_ALL, LC_CTYPE, LANG): 1252 for most
// of the West, 932 for Japanese, 1251 for Cyrillic...
unsigned WineCodePage();

// Why the emulator, run through Wine, cannot be handed a file of this name: a
// name Windows cannot keep, bytes that are not UTF-8 (Wine reads names as
// UTF-8), or characters Wine's code page lacks (the emulator would be handed
// "?" for them). Empty when it can.
std::string WhyWineCannotHandName(std::string_view name);
// The same for a name written in text, such as a typed path or a value of an
// INI file, whose bytes may be the code page's own: those that are not UTF-8
// are taken as such.
std::string WhyWineCannotHandWrittenName(std::string_view name);

} // namespace platform
