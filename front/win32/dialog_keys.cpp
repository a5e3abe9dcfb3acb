// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/dialog_keys.h"

#include "forms/rules.h"
#include "front/win32/build.h"

#include <commctrl.h>

namespace win32front {
namespace {

using forms::Kind;

bool Down(int key) {
    return GetKeyState(key) < 0;
}

bool Dropped(const Item& item) {
    return SendMessageW(item.hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void Tab(Win32View& view, const Item* focused, bool back) {
    const auto stops = TabStops(view);
    const std::string_view next = forms::NextTabStop(
        view.description(), stops, focused ? focused->control->name : std::string_view(), back);
    if (next.empty()) {
        return;
    }
    HWND target = view.Control(next);
    SetFocus(target);
    if (view.ItemOf(next)->control->kind == Kind::TextBox) {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
}

// Ctrl+Tab and its kin turn the pages of the window's shown tab control.
bool TurnPage(Win32View& view, int step) {
    for (const Item& item : view.items()) {
        if (item.control->kind != Kind::Tabs || !IsWindowVisible(item.hwnd)) {
            continue;
        }
        const auto count = static_cast<int>(SendMessageW(item.hwnd, TCM_GETITEMCOUNT, 0, 0));
        const auto now = static_cast<int>(SendMessageW(item.hwnd, TCM_GETCURSEL, 0, 0));
        SendMessageW(item.hwnd, TCM_SETCURSEL, static_cast<WPARAM>((now + step + count) % count),
                     0);
        // Hidden with its page, the focused control keeps the focus on
        // Windows and hands it to the window under Wine: the tabs take it.
        HWND focused = GetFocus();
        ShowPages(view);
        if (!IsWindowVisible(focused)) {
            SetFocus(item.hwnd);
        }
        return true;
    }
    return false;
}

bool Arrow(Win32View& view, const Item& focused, int step) {
    const std::string_view name = focused.control->name;
    if (focused.control->kind == Kind::Option) {
        const std::string_view next = forms::NextInGroup(view.description(), name, step);
        SetFocus(view.Control(next));
        view.form().Raise(next, forms::Event::Click);
        return true;
    }
    if (focused.control->kind == Kind::DriveList && !Dropped(focused) && !Down(VK_MENU)) {
        const forms::DriveRows& rows = *view.Drives(name);
        const int from = rows.RowOf(rows.Drive());
        const int row = forms::StepDrive(rows, from, step);
        if (row != from) {
            SendMessageW(focused.hwnd, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
            view.ChooseDrive(name, row);
        }
        return true;
    }
    return false;
}

} // namespace

std::vector<std::string_view> TabStops(const Win32View& view) {
    return forms::TabStops(
        view.description(), [&view](std::string_view option) { return view.Value(option); },
        [&view](std::string_view name) {
            HWND control = view.Control(name);
            return IsWindowVisible(control) && IsWindowEnabled(control);
        });
}

bool DialogKey(Win32View& view, const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return message.message == WM_CHAR &&
               (message.wParam == L'\t' || message.wParam == L'\r' || message.wParam == 27);
    }
    HWND focus = GetFocus();
    const Item* focused = view.ItemOf(focus);
    if (!focused && focus) {
        focused = view.ItemOf(GetParent(focus)); // within a combo box
    }
    const bool control = Down(VK_CONTROL);
    switch (message.wParam) {
    case VK_TAB:
        if (control) {
            return TurnPage(view, Down(VK_SHIFT) ? -1 : 1);
        }
        Tab(view, focused, Down(VK_SHIFT));
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        return control && TurnPage(view, message.wParam == VK_PRIOR ? -1 : 1);
    case VK_RETURN:
        if (focused && focused->control->kind == Kind::Button) {
            view.form().Raise(focused->control->name, forms::Event::Click);
        } else if (focused && focused->control->kind == Kind::DirList) {
            view.ChooseDir(focused->control->name,
                           static_cast<int>(SendMessageW(focused->hwnd, LB_GETCARETINDEX, 0, 0)));
        } else if (focused && focused->control->kind == Kind::DriveList && Dropped(*focused)) {
            return false; // closes the list on the highlighted drive
        }
        return true; // no default button: Enter presses only the focused one
    case VK_ESCAPE:
        // Esc does nothing, but cancel a dropped-down drive list.
        return !(focused && focused->control->kind == Kind::DriveList && Dropped(*focused));
    case VK_UP:
    case VK_LEFT:
        return focused && !control && Arrow(view, *focused, -1);
    case VK_DOWN:
    case VK_RIGHT:
        return focused && !control && Arrow(view, *focused, 1);
    default:
        return false;
    }
}

} // namespace win32front
