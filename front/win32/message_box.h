// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <string>

namespace win32front {

// A message box owned by `owner` (OK, or Yes and No for a question: true for
// Yes).
bool ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text, bool question);

} // namespace win32front
