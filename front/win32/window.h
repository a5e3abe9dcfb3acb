// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "front/win32/build.h"
#include "front/win32/row_tip.h"
#include "front/win32/rows.h"
#include "front/win32/tab_body.h"
#include "front/win32/view.h"

#include <windows.h>

#include <functional>
#include <string>

namespace win32front {

// One built window: its view, and its message procedure, which only hands each
// message to the function for it.
class Window {
public:
    // `gone` is called once the window has been destroyed.
    Window(forms::Form& form, std::function<void()> gone);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Builds the window and its controls, not shown yet; a dialog is owned by `owner`.
    void Create(HINSTANCE instance, HWND owner);
    // Shows it, or brings it to the front; the first time, with the focus on
    // its first Tab stop.
    void Show();

    HWND hwnd() const { return frame_.hwnd; }
    Win32View& view() { return view_; }
    const Win32View& view() const { return view_; }
    forms::Form& form() const { return view_.form(); }

    // The mouse over one of the window's lists, on its way there.
    void ListMouse(const MSG& message);

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Posted once the closed drive list has been drawn; lParam is the list.
    static constexpr UINT kDriveDrawn = WM_APP + 1;
    // Posted once a large directory's first rows have been drawn; lParam is the list.
    static constexpr UINT kDirDrawn = WM_APP + 2;

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnControlColour(HDC dc, HWND control);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& draw);
    void OnDriveDrawn(HWND list);
    void OnDirDrawn(HWND list);
    void PaintPending();
    LRESULT OnCharToItem(wchar_t typed, int caret, HWND list);
    LRESULT OnKeyToItem(UINT key);
    LRESULT OnActivate(bool active);
    void OnDestroy();

    void Command(const Item& item, int code);
    RowLook Look(const Item& item, int row) const;
    int RowCount(const Item& item) const;

    Win32View view_;
    std::function<void()> gone_;
    Frame frame_;
    Controls controls_;
    TabBodies bodies_;
    RowTip rowTip_;
    HWND lastFocus_ = nullptr;
    bool cancelled_ = false;  // a dropped-down drive list closed by Esc
    bool restPosted_ = false; // kDirDrawn, not handled yet
    std::wstring typed_;      // what type-ahead has been given in a row
    HWND typedIn_ = nullptr;
    DWORD typedAt_ = 0;
    int typedFills_ = 0; // the lists' fills then
};

} // namespace win32front
