// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The yardstick of the Win32 start-up benchmark, as the Qt one is: a bare
// window of the main window's size, built of the system's own controls in the
// same places, with the same title, menus and captions in the same font, but
// nothing to list: no drives, directories, files, settings or icons. What the
// program takes beyond it is what its own work costs.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = L"Bare";
    RegisterClassExW(&cls);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HMENU menu = CreateMenu();
    const wchar_t* const menus[][2] = {
        {L"Files", L"Quit"}, {L"Options", L"Directories"}, {L"?", L"About"}};
    for (const auto& [name, item] : menus) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1000, item);
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), name);
    }
    RECT frame{0, 0, 431, 341};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    HWND hwnd = CreateWindowExW(0, L"Bare", L"House Vorlanes' Frontend", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, menu, instance, nullptr);
    struct Child {
        const wchar_t* cls;
        const wchar_t* caption;
        DWORD style;
        DWORD exStyle;
        int x, y, w, h;
    };
    constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    // Made beneath those made before, the tab controls last: made first,
    // they covered every other control, and the window showed one empty pane.
    const Child children[] = {
        {WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, 0, 12, 57, 407, 240},
        {WC_LISTBOXW, L"", kList, WS_EX_CLIENTEDGE, 12, 85, 200, 207},
        {WC_LISTBOXW, L"", kList, WS_EX_CLIENTEDGE, 219, 85, 200, 207},
        {WC_BUTTONW, L"Go", BS_PUSHBUTTON, 0, 338, 301, 81, 25},
        {WC_BUTTONW, L"Setup", BS_PUSHBUTTON, 0, 12, 301, 81, 25},
        {WC_TABCONTROLW, L"Hu-Go!", 0, 0, 4, 25, 423, 312},
        {WC_TABCONTROLW, L"PC Engine", 0, 0, 0, 0, 431, 341},
    };
    for (const Child& c : children) {
        const bool tabs = lstrcmpW(c.cls, WC_TABCONTROLW) == 0;
        HWND child = CreateWindowExW(c.exStyle, c.cls, tabs ? L"" : c.caption,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style, c.x, c.y,
                                     c.w, c.h, hwnd, nullptr, instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (tabs) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(c.caption);
            SendMessageW(child, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    ShowWindow(hwnd, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
