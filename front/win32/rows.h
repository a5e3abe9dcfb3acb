// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/lists.h"

#include <windows.h>

#include <functional>
#include <string>

// The lists' rows as drawn and searched: the rows themselves are the forms'.
namespace win32front {

// A name as Windows shows it, also when the code page cannot spell it.
std::wstring RowText(const forms::DirRows& rows, int row);
std::wstring RowText(const forms::FileRows& rows, int row);

// How a row is drawn: its text, and for a directory a folder at its level.
struct RowLook {
    std::wstring text;
    int level = -1; // -1: no folder
    bool open = false;
};
void DrawRow(const DRAWITEMSTRUCT& draw, const RowLook& look, HFONT font, int dpi);
// Where a row's text starts within the row.
int TextLeft(const RowLook& look, int dpi);
// Whether a row's text, drawn in `font`, is cut in a row `width` wide.
bool RowCut(HWND list, const RowLook& look, HFONT font, int dpi, int width);

// Type-ahead: the row that the text typed so far leads to from the caret at
// `from`. A first character searches from the row after the caret; more of
// them search from the caret itself, so that "Game 45" goes on to "Game
// 4500.pce"; the same letter over and over steps through the rows that start
// with it. -2 when no row starts so: the list stays.
int TypeAhead(const std::function<std::wstring(int)>& text, int count, const std::wstring& typed,
              int from);

} // namespace win32front
