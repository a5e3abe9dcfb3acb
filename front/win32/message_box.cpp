// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/message_box.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace win32front {
namespace {

HHOOK hook = nullptr;

// How wide a box's frame must be for its caption to show whole: the caption
// in a caption font, beside the icon and the buttons of the bar.
int CaptionWidth(HWND box) {
    const auto dpi = GetDpiForWindow(box);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    // A window manager that draws the bar itself, as on X11, may write in a
    // larger font: what the bar's height leaves room for.
    LOGFONTW look = metrics.lfCaptionFont;
    look.lfHeight =
        -std::max<LONG>(std::abs(look.lfHeight), GetSystemMetricsForDpi(SM_CYCAPTION, dpi) * 3 / 4);
    look.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectW(&look);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t caption[256];
    const int length = GetWindowTextW(box, caption, 256);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption, length, &size);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    DeleteObject(font);
    const int buttons = 4 * GetSystemMetricsForDpi(SM_CXSIZE, dpi); // the icon among them
    return size.cx + buttons + 2 * GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi) +
           MulDiv(16, static_cast<int>(dpi), 96);
}

// The system sizes a box by its text alone: one with a short text gets its
// caption cut. Widened, its buttons stay in the middle.
LRESULT CALLBACK WidenToCaption(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* box = reinterpret_cast<HWND>(wParam);
        UnhookWindowsHookEx(std::exchange(hook, nullptr));
        RECT frame{};
        GetWindowRect(box, &frame);
        const int grow = CaptionWidth(box) - (frame.right - frame.left);
        if (grow > 0) {
            SetWindowPos(box, nullptr, frame.left - grow / 2, frame.top,
                         frame.right - frame.left + grow, frame.bottom - frame.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            for (HWND child = GetWindow(box, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t cls[16] = {};
                GetClassNameW(child, cls, 16);
                if (lstrcmpiW(cls, L"Button") == 0) {
                    RECT place{};
                    GetWindowRect(child, &place);
                    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
                    SetWindowPos(child, nullptr, place.left + grow / 2, place.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
        }
        return 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text, bool question) {
    hook = SetWindowsHookExW(WH_CBT, WidenToCaption, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(),
                                   question ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONWARNING);
    if (hook) {
        UnhookWindowsHookEx(std::exchange(hook, nullptr));
    }
    return answer == IDYES;
}

} // namespace win32front
