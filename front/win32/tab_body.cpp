// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/tab_body.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

namespace win32front {
namespace {

COLORREF BodyColour(HWND tabs) {
    HTHEME theme = GetWindowTheme(tabs);
    if (!theme) {
        return GetSysColor(COLOR_BTNFACE); // a classic tab leaves its body to the window
    }
    RECT client{};
    GetClientRect(tabs, &client);
    RECT body = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    RECT row{client.left, client.top, client.right, body.top};
    SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const RECT pane{client.left, row.bottom, client.right, client.bottom};
    const POINT at{(body.left + body.right) / 2, body.bottom - 2};
    const RECT dot{at.x, at.y, at.x + 1, at.y + 1};
    // Only the pane, as the tab draws it beneath its row of tabs, and only
    // the pixel looked at: the whole tab takes milliseconds to draw.
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -at.x, -at.y, nullptr);
    FillRect(memory, &dot, GetSysColorBrush(COLOR_BTNFACE)); // through a pane with holes
    DrawThemeBackground(theme, memory, TABP_PANE, 0, &pane, &dot);
    const COLORREF colour = GetPixel(memory, at.x, at.y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return colour;
}

} // namespace

TabBodies::~TabBodies() {
    for (const auto& [tabs, brush] : brushes_) {
        DeleteObject(brush);
    }
}

HBRUSH TabBodies::Of(HWND tabs) {
    HBRUSH& brush = brushes_[tabs];
    if (!brush) {
        const COLORREF colour = BodyColour(tabs);
        brush = CreateSolidBrush(colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour);
    }
    return brush;
}

} // namespace win32front
