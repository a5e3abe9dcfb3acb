// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "front/win32/view.h"

#include <windows.h>

namespace win32front {

// A control's id: its place in the description, clear of IDOK and IDCANCEL,
// which the system sends for Enter and Esc. The menu items follow them.
inline int ControlId(std::size_t index) {
    return 100 + static_cast<int>(index);
}

// A window as built from its description.
struct Frame {
    HWND hwnd = nullptr;
    int dpi = 96;
    POINT place{}; // a dialog's top left, put again after showing
};

// Builds the frame of the view's form: caption, menus, the client area at its
// size in twips and a dialog at its place. `param` reaches the window
// procedure with WM_NCCREATE.
Frame BuildFrame(const forms::Description& d, HINSTANCE instance, HWND owner, void* param);

// The controls, built into the view with the font given.
struct Controls {
    HFONT font = nullptr;
    HWND tips = nullptr; // null when no control has a tooltip
    int rowHeight = 16;
    int boxHeight = 11; // what a drop-down list's closed box asks for its row
};
// `built` has its font and rows' height before the first control is made:
// the lists ask the window for that height as they are made.
void BuildControls(Win32View& view, HINSTANCE instance, int dpi, Controls& built);

// Shows each control whose containers show, on the tab page that holds it.
void ShowPages(const Win32View& view);

} // namespace win32front
