// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "front/win32/view.h"

#include <string_view>
#include <vector>

namespace win32front {

// The keys a window handles itself before its focused control sees them: Tab,
// Ctrl+Tab and Ctrl+Page Up/Down between a tab control's pages, the arrows in
// an option group and on a closed drive list, Enter and Esc. True when
// `message` was one of them and is done with.
//
// Not IsDialogMessage: it would press a default button on Enter and send
// IDCANCEL on Esc, where here Enter presses only the focused button and Esc
// does nothing; it would go round option groups by WS_GROUP and select with
// no click, where here a group selects through its click handler; and it
// would Tab in the order the controls were made, not the one described.
bool DialogKey(Win32View& view, const MSG& message);

// The controls Tab visits now, in order.
std::vector<std::string_view> TabStops(const Win32View& view);

} // namespace win32front
