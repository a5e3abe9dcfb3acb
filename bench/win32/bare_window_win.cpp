// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The yardstick of the Win32 start-up benchmark: a bare window of the main
// window's size with its menu and controls, empty, and nothing else.
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
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = L"Bare";
    RegisterClassExW(&cls);
    HMENU menu = CreateMenu();
    for (const wchar_t* name : {L"Files", L"Options", L"?"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1000, L"Item");
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), name);
    }
    RECT frame{0, 0, 431, 341};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    HWND hwnd = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, menu, instance, nullptr);
    struct Child {
        const wchar_t* cls;
        DWORD style;
        DWORD exStyle;
        int x, y, w, h;
    };
    // Made beneath those made before, the tab controls last: made first,
    // they covered every other control, and the window showed one empty pane.
    const Child children[] = {
        {WC_COMBOBOXW, CBS_DROPDOWNLIST, 0, 12, 32, 407, 240},
        {WC_LISTBOXW, LBS_NOTIFY, WS_EX_CLIENTEDGE, 12, 60, 200, 207},
        {WC_LISTBOXW, LBS_NOTIFY, WS_EX_CLIENTEDGE, 219, 60, 200, 207},
        {WC_BUTTONW, BS_PUSHBUTTON, 0, 338, 301, 81, 25},
        {WC_BUTTONW, BS_PUSHBUTTON, 0, 12, 301, 81, 25},
        {WC_TABCONTROLW, 0, 0, 4, 25, 423, 312},
        {WC_TABCONTROLW, 0, 0, 0, 0, 431, 341},
    };
    for (const Child& c : children) {
        CreateWindowExW(c.exStyle, c.cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style,
                        c.x, c.y, c.w, c.h, hwnd, nullptr, instance, nullptr);
    }
    ShowWindow(hwnd, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
