// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace win32front {

// A list box whose rows are only drawn holds no text another program could
// read, a screen reader included. This makes it answer for its rows through
// the system's accessibility interface (each row a list item named as shown):
// Windows has a handler of its own for list boxes, Wine has none.
struct RowSource {
    std::wstring name; // the list's own
    std::function<int()> count;
    std::function<std::wstring(int row)> text;
};
void AnswerForRows(HWND list, RowSource rows);

} // namespace win32front
