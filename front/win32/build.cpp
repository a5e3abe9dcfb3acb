// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/build.h"

#include "forms/rules.h"
#include "front/win32/system.h"
#include "front/win32/text.h"
#include "platform/files/paths.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace win32front {
namespace {

using forms::Kind;

HMENU BuildMenus(const forms::Description& d) {
    if (d.menus.empty()) {
        return nullptr;
    }
    HMENU menu = CreateMenu();
    HMENU popup = nullptr;
    std::string_view current;
    for (std::size_t i = 0; i < d.menus.size(); ++i) {
        const forms::MenuItem& item = d.menus[i];
        if (popup == nullptr || item.menu != current) {
            popup = CreatePopupMenu();
            current = item.menu;
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        FromUtf8(item.menuCaption).c_str());
        }
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(ControlId(d.controls.size() + i)),
                    FromUtf8(item.caption).c_str());
    }
    return menu;
}

// A dialog's place: the client area at the fixed point, moved only as far as
// it takes to keep the whole dialog within the work area.
POINT PlaceDialog(HWND hwnd, POINT place) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT now{};
    GetWindowRect(hwnd, &now);
    const forms::Point kept =
        forms::KeepWithin({place.x, place.y}, now.right - now.left, now.bottom - now.top,
                          {area.left, area.top, area.right, area.bottom});
    SetWindowPos(hwnd, nullptr, kept.x, kept.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return {kept.x, kept.y};
}

struct Made {
    const wchar_t* cls = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    std::wstring caption;
    int height = 0;
};

// The system's class and styles for a control of a description.
Made ClassOf(const forms::Description& d, const forms::Control& c, int dpi) {
    Made m;
    m.caption = FromUtf8(c.caption);
    m.height = Pixels(c.rect.height, dpi);
    switch (c.kind) {
    case Kind::Button:
        m.style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case Kind::Label:
        if (const auto link = forms::LinkIn(c.caption)) {
            const std::wstring address = FromUtf8(link->address);
            m.cls = WC_LINK;
            m.caption =
                FromUtf8(link->before) + L"<a href=\"" + address + L"\">" + address + L"</a>";
        } else {
            m.cls = WC_STATICW;
            m.style |= SS_LEFT | SS_NOPREFIX;
        }
        break;
    case Kind::TextBox:
        m.cls = WC_EDITW;
        m.style |= WS_TABSTOP | ES_AUTOHSCROLL;
        m.exStyle = WS_EX_CLIENTEDGE;
        m.caption.clear(); // shown through SetText, keeping its bytes
        break;
    case Kind::CheckBox:
        m.style |= WS_TABSTOP | BS_3STATE; // a click gives what forms::Clicked says
        break;
    case Kind::Option: {
        // Not automatic: the group stays exclusive through its click handlers.
        m.style |= BS_RADIOBUTTON;
        const auto group = d.GroupOf(c.name);
        if (!group.empty() && group.front() == c.name) {
            m.style |= WS_GROUP;
        }
        break;
    }
    case Kind::Frame:
        m.style |= BS_GROUPBOX;
        break;
    case Kind::Tabs:
        m.cls = WC_TABCONTROLW;
        m.style |= WS_TABSTOP;
        m.caption.clear();
        break;
    case Kind::DriveList:
        m.cls = WC_COMBOBOXW;
        // Drawn by us so that its rows take the height set for them, which
        // Wine heeds only then; the strings stay for its type-ahead.
        m.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        m.height = MulDiv(240, dpi, 96); // the list dropped down; the box keeps its own height
        m.caption.clear();
        break;
    case Kind::DirList:
    case Kind::FileList:
        m.cls = WC_LISTBOXW;
        m.style |= WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY |
                   LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT;
        m.exStyle = WS_EX_CLIENTEDGE;
        m.caption.clear();
        break;
    }
    return m;
}

// What a control holds from the start: its state, its tabs, its rows.
void Fill(Win32View& view, const forms::Control& c, HWND control) {
    switch (c.kind) {
    case Kind::TextBox:
        view.SetText(c.name, std::string(c.caption));
        break;
    case Kind::CheckBox:
        view.SetCheck(c.name, c.value);
        break;
    case Kind::Option:
        view.SetValue(c.name, c.value != 0);
        break;
    case Kind::Tabs: {
        int tab = 0;
        for (const std::string_view caption : forms::TabCaptions(c)) {
            std::wstring text = FromUtf8(caption);
            TCITEMW entry{};
            entry.mask = TCIF_TEXT;
            entry.pszText = text.data();
            SendMessageW(control, TCM_INSERTITEMW, static_cast<WPARAM>(tab++),
                         reinterpret_cast<LPARAM>(&entry));
        }
        break;
    }
    case Kind::DriveList: {
        view.AddDrives(c.name, forms::DriveRows(platform::PathMap::System().Drives()));
        const forms::DriveRows& rows = *view.Drives(c.name);
        for (int row = 0; row < rows.Count(); ++row) {
            SendMessageW(control, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(FromCodePage(rows.Text(row)).c_str()));
        }
        break;
    }
    case Kind::DirList:
        view.AddDirs(c.name);
        break;
    case Kind::FileList:
        view.AddFiles(c.name, std::string(c.pattern));
        break;
    default:
        break;
    }
}

void AddTip(HWND tips, HWND window, HWND control, std::string_view text) {
    std::wstring tip = FromUtf8(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = tip.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Whether a control shows: its container shows, on the page that holds it.
// `page` tells which page a tab control shows.
template <class Page>
bool Shown(const forms::Description& d, const forms::Control& control, const Page& page) {
    if (control.container.empty()) {
        return true;
    }
    const forms::Control& outer = *d.Find(control.container);
    return (outer.kind != Kind::Tabs || page(outer) == control.page) && Shown(d, outer, page);
}

} // namespace

Frame BuildFrame(const forms::Description& d, HINSTANCE instance, HWND owner, void* param) {
    const bool main = d.border == forms::Border::Sizable;
    // Not clipping its children: a group box paints only its frame, and what
    // lies within it is the window's own background.
    const DWORD style = main ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = main ? 0 : WS_EX_DLGMODALFRAME;
    HMENU menu = BuildMenus(d);
    // Made at its size as the system's DPI gives it: resized afterwards, the
    // window is laid out twice before it shows.
    const UINT systemDpi = GetDpiForSystem();
    RECT guess{0, 0, Pixels(d.width, static_cast<int>(systemDpi)),
               Pixels(d.height, static_cast<int>(systemDpi))};
    AdjustWindowRectExForDpi(&guess, style, menu != nullptr, exStyle, systemDpi);
    Frame f;
    f.hwnd =
        CreateWindowExW(exStyle, main ? kMainClass : kDialogClass, FromUtf8(d.caption).c_str(),
                        style, CW_USEDEFAULT, CW_USEDEFAULT, guess.right - guess.left,
                        guess.bottom - guess.top, main ? nullptr : owner, menu, instance, param);
    f.dpi = static_cast<int>(GetDpiForWindow(f.hwnd));

    // The client area as described, the frame around it.
    const int width = Pixels(d.width, f.dpi);
    const int height = Pixels(d.height, f.dpi);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, style, menu != nullptr, exStyle, static_cast<UINT>(f.dpi));
    RECT made{};
    GetWindowRect(f.hwnd, &made);
    if (made.right - made.left != frame.right - frame.left ||
        made.bottom - made.top != frame.bottom - frame.top) { // a DPI of its own
        SetWindowPos(f.hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{};
    GetClientRect(f.hwnd, &client);
    if (client.right != width || client.bottom != height) { // a menu bar that wrapped
        SetWindowPos(f.hwnd, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (d.position) {
        f.place = PlaceDialog(f.hwnd, {Pixels(d.position->x, f.dpi) + frame.left,
                                       Pixels(d.position->y, f.dpi) + frame.top});
    }
    if (!main || f.dpi != static_cast<int>(systemDpi)) { // else its class's
        if (HICON icon = BigIcon(instance, f.dpi)) {
            SendMessageW(f.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        }
        if (HICON icon = SmallIcon(instance, f.dpi)) {
            SendMessageW(f.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }
    return f;
}

void BuildControls(Win32View& view, HINSTANCE instance, int dpi, Controls& built) {
    const forms::Description& d = view.description();
    HWND window = view.window();
    built.font = MessageFont();
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, built.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    built.rowHeight = std::max<int>(metrics.tmHeight, MulDiv(16, dpi, 96)) + 2;
    // As the box measures it in this font, its text's height and margin less
    // the 6 pixels by which an owner-drawn box is taller.
    built.boxHeight = metrics.tmHeight + 4 - 6;

    // Where each control stands.
    const std::size_t count = d.controls.size();
    std::vector<POINT> origins(count);
    for (std::size_t i = 0; i < count; ++i) {
        const forms::Control& c = d.controls[i];
        if (!c.container.empty()) {
            origins[i] = origins[static_cast<std::size_t>(d.Find(c.container) - d.controls.data())];
        }
        origins[i].x += Pixels(c.rect.left, dpi);
        origins[i].y += Pixels(c.rect.top, dpi);
    }
    // A control is made beneath those made before it. So what the containers
    // hold comes first, then the containers, the outermost last: nothing is
    // moved in that order or shown one by one afterwards.
    std::vector<HWND> made(count);
    const auto make = [&](std::size_t i) {
        const forms::Control& c = d.controls[i];
        const Made m = ClassOf(d, c, dpi);
        // A tab control opens on its first page.
        const bool shown = Shown(d, c, [](const forms::Control&) { return 0; });
        made[i] = CreateWindowExW(
            m.exStyle, m.cls, m.caption.c_str(), m.style | (shown ? WS_VISIBLE : 0), origins[i].x,
            origins[i].y, Pixels(c.rect.width, dpi), m.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(i))), instance, nullptr);
    };
    const auto container = [&d](std::size_t i) {
        return d.controls[i].kind == Kind::Tabs || d.controls[i].kind == Kind::Frame;
    };
    for (std::size_t i = 0; i < count; ++i) {
        if (!container(i)) {
            make(i);
        }
    }
    for (std::size_t i = count; i-- > 0;) {
        if (container(i)) {
            make(i);
        }
    }

    for (std::size_t i = 0; i < count; ++i) {
        const forms::Control& c = d.controls[i];
        // A drive list's rows and box are drawn by us, in the font. Given the
        // font, it would lay itself and its drop-down out once more (2 ms under Wine).
        if (c.kind != Kind::DriveList) {
            SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(built.font), FALSE);
        }
        view.Add({&c, made[i], origins[i]});
        Fill(view, c, made[i]);
        if (!c.toolTip.empty()) {
            if (!built.tips) {
                built.tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                             CW_USEDEFAULT, window, nullptr, instance, nullptr);
                SendMessageW(built.tips, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, dpi, 96));
            }
            AddTip(built.tips, window, made[i], c.toolTip);
        }
    }
}

void ShowPages(const Win32View& view) {
    const auto page = [&view](const forms::Control& tabs) {
        return static_cast<int>(SendMessageW(view.ItemOf(tabs.name)->hwnd, TCM_GETCURSEL, 0, 0));
    };
    for (const Item& item : view.items()) {
        ShowWindow(item.hwnd, Shown(view.description(), *item.control, page) ? SW_SHOWNA : SW_HIDE);
    }
}

} // namespace win32front
