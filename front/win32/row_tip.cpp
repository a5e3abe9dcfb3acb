// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/row_tip.h"

#include <commctrl.h>

namespace win32front {
namespace {

// The row under a point of a list's client area; -1 below the last.
int RowAt(HWND list, POINT at) {
    const auto hit =
        static_cast<DWORD>(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y)));
    return HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
}

TTTOOLINFOW Tool(HWND tip, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = GetParent(tip);
    tool.lpszText = text;
    return tool;
}

} // namespace

RowTip::~RowTip() {
    if (tip_) {
        DestroyWindow(tip_);
    }
}

void RowTip::Create(HWND window, HFONT font, Lookup lookup) {
    window_ = window;
    font_ = font;
    lookup_ = std::move(lookup);
}

// One tool, shown and moved by hand: the rows of one list are all one window,
// and a tip the system shows itself would keep the first row's text.
void RowTip::Make() {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr, nullptr);
    SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    TTTOOLINFOW tool = Tool(tip_, text_.data());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RowTip::Mouse(const MSG& message) {
    if (!window_) {
        return;
    }
    const POINT at{static_cast<short>(LOWORD(message.lParam)),
                   static_cast<short>(HIWORD(message.lParam))};
    switch (message.message) {
    case WM_MOUSEMOVE:
        if (message.hwnd != list_ || RowAt(message.hwnd, at) != row_) {
            Hide();
            TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, message.hwnd, HOVER_DEFAULT};
            TrackMouseEvent(&track);
        }
        break;
    case WM_MOUSEHOVER:
        Show(message.hwnd, at);
        break;
    case WM_MOUSELEAVE:
    case WM_MOUSEWHEEL:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        Hide();
        break;
    default:
        break;
    }
}

void RowTip::Show(HWND list, POINT at) {
    const int row = RowAt(list, at);
    const Shown shown = row < 0 ? Shown{} : lookup_(list, row);
    if (shown.text.empty()) {
        return;
    }
    if (!tip_) {
        Make();
    }
    list_ = list;
    row_ = row;
    text_ = shown.text;
    TTTOOLINFOW tool = Tool(tip_, text_.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Just below the row, its text in line with the row's: over the row it
    // would take the mouse from the list.
    RECT rowPlace{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&rowPlace));
    RECT place{rowPlace.left + shown.left, rowPlace.bottom, rowPlace.right, rowPlace.bottom};
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&place), 2);
    RECT framed = place;
    SendMessageW(tip_, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&framed));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(framed.left, place.top + 1));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void RowTip::Hide() {
    if (tip_ && list_) {
        TTTOOLINFOW tool = Tool(tip_, text_.data());
        SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    list_ = nullptr;
    row_ = -1;
}

} // namespace win32front
