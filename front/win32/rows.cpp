// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/rows.h"

#include "front/win32/text.h"

#include <algorithm>

namespace win32front {
namespace {

// A closed or open folder, drawn rather than loaded: the two must differ at a
// glance, and drawing costs no resource of its own.
void DrawFolder(HDC dc, int x, int y, int dpi, bool open) {
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x80, 0x60, 0x10));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HBRUSH back = CreateSolidBrush(open ? RGB(0xC8, 0x9A, 0x28) : RGB(0xE8, 0xB8, 0x30));
    HGDIOBJ oldBrush = SelectObject(dc, back);
    const POINT body[] = {{x + px(1), y + px(3)},   {x + px(6), y + px(3)},
                          {x + px(7), y + px(5)},   {x + px(14), y + px(5)},
                          {x + px(14), y + px(13)}, {x + px(1), y + px(13)}};
    Polygon(dc, body, 6);
    if (open) {
        HBRUSH front = CreateSolidBrush(RGB(0xFF, 0xF0, 0xA0));
        SelectObject(dc, front);
        const POINT lid[] = {{x + px(4), y + px(7)},
                             {x + px(15), y + px(7)},
                             {x + px(12), y + px(13)},
                             {x + px(1), y + px(13)}};
        Polygon(dc, lid, 4);
        SelectObject(dc, back);
        DeleteObject(front);
    } else {
        MoveToEx(dc, x + px(1), y + px(6), nullptr);
        LineTo(dc, x + px(14), y + px(6));
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(back);
    DeleteObject(pen);
}

} // namespace

int TextLeft(const RowLook& look, int dpi) {
    int x = MulDiv(2, dpi, 96);
    if (look.level >= 0) {
        x += look.level * MulDiv(10, dpi, 96) + MulDiv(20, dpi, 96);
    }
    return x;
}

namespace {

bool StartsWith(const std::wstring& text, const std::wstring& typed) {
    return text.size() >= typed.size() &&
           CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                          static_cast<int>(typed.size()), typed.c_str(),
                          static_cast<int>(typed.size())) == CSTR_EQUAL;
}

} // namespace

std::wstring RowText(const forms::DirRows& rows, int row) {
    const std::string& trueName = rows.TrueName(row);
    return trueName.empty() ? FromCodePage(rows.Name(row)) : FromUtf8(trueName);
}

std::wstring RowText(const forms::FileRows& rows, int row) {
    const std::string& trueName = rows.TrueName(row);
    return trueName.empty() ? FromCodePage(rows.Name(row)) : FromUtf8(trueName);
}

void DrawRow(const DRAWITEMSTRUCT& draw, const RowLook& look, HFONT font, int dpi) {
    HDC dc = draw.hDC;
    RECT r = draw.rcItem;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    if (look.level >= 0) {
        DrawFolder(dc, r.left + MulDiv(2, dpi, 96) + look.level * MulDiv(10, dpi, 96),
                   r.top + (r.bottom - r.top - MulDiv(16, dpi, 96)) / 2, dpi, look.open);
    }
    RECT text{r.left + TextLeft(look, dpi), r.top, r.right, r.bottom};
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, look.text.c_str(), static_cast<int>(look.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
        DrawFocusRect(dc, &draw.rcItem);
    }
}

bool RowCut(HWND list, const RowLook& look, HFONT font, int dpi, int width) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, look.text.c_str(), static_cast<int>(look.text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return TextLeft(look, dpi) + size.cx > width;
}

int TypeAhead(const std::function<std::wstring(int)>& text, int count, const std::wstring& typed,
              int from) {
    if (typed.empty() || count <= 0) {
        return -2;
    }
    const bool repeated = std::all_of(typed.begin(), typed.end(), [&typed](wchar_t c) {
        return StartsWith(std::wstring(1, c), typed.substr(0, 1));
    });
    const std::wstring wanted = repeated ? typed.substr(0, 1) : typed;
    const int start = repeated ? from + 1 : std::max(from, 0);
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (StartsWith(text(row), wanted)) {
            return row;
        }
    }
    return -2;
}

} // namespace win32front
