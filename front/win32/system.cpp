// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/system.h"

#include <commctrl.h>

namespace win32front {
namespace {
constexpr int kIconId = 1;
} // namespace

void RegisterClasses(HINSTANCE instance, WNDPROC procedure) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_WIN95_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    // The main window's icons come with its class: given to the window one
    // by one, each set them all anew under Wine, some 3 ms before it showed.
    const auto systemDpi = static_cast<int>(GetDpiForSystem());
    cls.hIcon = BigIcon(instance, systemDpi);
    cls.hIconSm = SmallIcon(instance, systemDpi);
    cls.lpszClassName = kMainClass;
    RegisterClassExW(&cls);
    cls.hIcon = nullptr;
    cls.hIconSm = nullptr;
    cls.lpszClassName = kDialogClass;
    RegisterClassExW(&cls);
    cls.lpfnWndProc = DefWindowProcW;
    cls.lpszClassName = kOwnerClass;
    RegisterClassExW(&cls);
}

HICON BigIcon(HINSTANCE instance, int dpi) {
    const int size = MulDiv(48, dpi, 96);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, 0));
}

HICON SmallIcon(HINSTANCE instance, int dpi) {
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, 0));
}

HFONT MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

} // namespace win32front
