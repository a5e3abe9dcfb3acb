// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/window.h"

#include "forms/rules.h"
#include "front/win32/accessible_rows.h"
#include "front/win32/dialog_keys.h"
#include "front/win32/system.h"
#include "front/win32/text.h"

#include <commctrl.h>
#include <utility>

namespace win32front {

using forms::Kind;

Window::Window(forms::Form& form, std::function<void()> gone)
    : view_(form), gone_(std::move(gone)) {}

Window::~Window() {
    if (controls_.font) {
        DeleteObject(controls_.font);
    }
}

void Window::Create(HINSTANCE instance, HWND owner) {
    frame_ = BuildFrame(view_.description(), instance, owner, this);
    view_.SetWindow(frame_.hwnd);
    BuildControls(view_, instance, frame_.dpi, controls_);
    for (const Item& item : view_.items()) {
        if (item.control->kind == Kind::DirList || item.control->kind == Kind::FileList) {
            const Item* list = &item;
            AnswerForRows(item.hwnd,
                          {FromUtf8(item.control->name), [this, list] { return RowCount(*list); },
                           [this, list](int row) { return Look(*list, row).text; }});
        }
    }
    rowTip_.Create(frame_.hwnd, controls_.font, [this](HWND list, int row) -> RowTip::Shown {
        const Item* item = view_.ItemOf(list);
        if (row >= RowCount(*item)) {
            return {};
        }
        RECT client{};
        GetClientRect(list, &client);
        RowLook look = Look(*item, row);
        if (!RowCut(list, look, controls_.font, frame_.dpi, client.right)) {
            return {};
        }
        return {std::move(look.text), TextLeft(look, frame_.dpi)};
    });
}

void Window::ListMouse(const MSG& message) {
    const Item* item = view_.ItemOf(message.hwnd);
    if (item && (item->control->kind == Kind::DirList || item->control->kind == Kind::FileList)) {
        rowTip_.Mouse(message);
    }
}

void Window::Show() {
    const bool first = !IsWindowVisible(frame_.hwnd);
    ShowWindow(frame_.hwnd, SW_SHOW);
    if (first && view_.description().position) {
        // Put once more where it belongs: some window managers place an owned
        // window off from where it is drawn until it moves after showing.
        SetWindowPos(frame_.hwnd, nullptr, frame_.place.x, frame_.place.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetForegroundWindow(frame_.hwnd);
    if (first) {
        const auto stops = TabStops(view_);
        if (!stops.empty()) {
            lastFocus_ = view_.Control(stops.front());
            SetFocus(lastFocus_);
        }
    }
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->frame_.hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return window->Dispatch(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const LRESULT brush =
                OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return brush;
        }
        break;
    case WM_MEASUREITEM: {
        // A list's rows as it is made, rather than set after: each setting
        // laid the drive list's drop-down out anew. Its closed box takes the
        // height the system gives it in the font.
        auto* measured = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const bool box =
            measured->CtlType == ODT_COMBOBOX && measured->itemID == static_cast<UINT>(-1);
        measured->itemHeight = static_cast<UINT>(box ? controls_.boxHeight : controls_.rowHeight);
        return TRUE;
    }
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case kDriveDrawn:
        OnDriveDrawn(reinterpret_cast<HWND>(lParam));
        return 0;
    case kDirDrawn:
        OnDirDrawn(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CHARTOITEM:
        return OnCharToItem(static_cast<wchar_t>(LOWORD(wParam)), HIWORD(wParam),
                            reinterpret_cast<HWND>(lParam));
    case WM_VKEYTOITEM:
        return OnKeyToItem(LOWORD(wParam));
    case WM_ACTIVATE:
        if (OnActivate(LOWORD(wParam) != WA_INACTIVE) == 0) {
            return 0;
        }
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(frame_.hwnd, message, wParam, lParam);
}

LRESULT Window::OnCommand(WPARAM wParam, LPARAM lParam) {
    const forms::Description& d = view_.description();
    const int id = LOWORD(wParam);
    if (lParam == 0) { // a menu item
        const auto item = static_cast<std::size_t>(id - ControlId(d.controls.size()));
        if (id >= ControlId(d.controls.size()) && item < d.menus.size()) {
            form().Raise(d.menus[item].name, forms::Event::Click);
        }
        return 0;
    }
    if (const Item* item = view_.ItemOf(reinterpret_cast<HWND>(lParam))) {
        Command(*item, HIWORD(wParam));
    }
    return 0; // IDOK and IDCANCEL included: no button is bound to Enter or Esc
}

void Window::Command(const Item& item, int code) {
    const forms::Control& c = *item.control;
    switch (c.kind) {
    case Kind::Button:
    case Kind::Option:
        if (code == BN_CLICKED) {
            form().Raise(c.name, forms::Event::Click);
        }
        break;
    case Kind::CheckBox:
        if (code == BN_CLICKED) {
            view_.SetCheck(c.name,
                           forms::Clicked(view_.Check(c.name) == forms::kChecked ? forms::kChecked
                                                                                 : forms::kClear));
            form().Raise(c.name, forms::Event::Click);
        }
        break;
    case Kind::DriveList: {
        // A closed list chooses at once; a dropped-down one as it closes,
        // unless Esc (or a click elsewhere) cancelled it.
        const forms::DriveRows& rows = *view_.Drives(c.name);
        const auto row = static_cast<int>(SendMessageW(item.hwnd, CB_GETCURSEL, 0, 0));
        if (code == CBN_DROPDOWN) {
            view_.DropDrives(c.name);
        } else if (code == CBN_SELENDCANCEL) {
            cancelled_ = true;
        } else if (code == CBN_CLOSEUP && std::exchange(cancelled_, false)) {
            view_.SetDrive(c.name, rows.Drive());
        } else if ((code == CBN_SELCHANGE && !SendMessageW(item.hwnd, CB_GETDROPPEDSTATE, 0, 0)) ||
                   code == CBN_CLOSEUP) {
            view_.ChooseDrive(c.name, row);
        }
        break;
    }
    case Kind::DirList:
        if (code == LBN_DBLCLK) {
            view_.ChooseDir(c.name,
                            static_cast<int>(SendMessageW(item.hwnd, LB_GETCARETINDEX, 0, 0)));
        }
        break;
    default:
        break;
    }
}

LRESULT Window::OnNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        ShowPages(view_);
    } else if (header.code == NM_CLICK && view_.ItemOf(header.hwndFrom) &&
               view_.ItemOf(header.hwndFrom)->control->kind == Kind::Label) {
        using Execute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
        static const auto execute = SystemFunction<Execute>(L"shell32.dll", "ShellExecuteW");
        const auto& link = reinterpret_cast<const NMLINK&>(header);
        if (execute) {
            execute(frame_.hwnd, L"open", link.item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
        }
    }
    return 0;
}

// Under a frame on a tab, the window shows through: there, the tab's body.
LRESULT Window::OnEraseBackground(HDC dc) {
    RECT all{};
    GetClientRect(frame_.hwnd, &all);
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    for (const Item& item : view_.items()) {
        if (item.control->kind == Kind::Tabs && IsWindowVisible(item.hwnd)) {
            RECT body{};
            GetWindowRect(item.hwnd, &body);
            MapWindowPoints(nullptr, frame_.hwnd, reinterpret_cast<POINT*>(&body), 2);
            SendMessageW(item.hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
            FillRect(dc, &body, bodies_.Of(item.hwnd));
        }
    }
    return TRUE;
}

// Labels, check boxes, options and frames on a tab take its body's colour.
LRESULT Window::OnControlColour(HDC dc, HWND control) {
    const Item* item = view_.ItemOf(control);
    if (!item) {
        return 0;
    }
    const forms::Control* c = item->control;
    while (!c->container.empty() && view_.ItemOf(c->container)->control->kind != Kind::Tabs) {
        c = view_.ItemOf(c->container)->control;
    }
    if (c->container.empty()) {
        return 0;
    }
    HBRUSH brush = bodies_.Of(view_.Control(c->container));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof fill, &fill);
    SetBkColor(dc, fill.lbColor);
    return reinterpret_cast<LRESULT>(brush);
}

int Window::RowCount(const Item& item) const {
    const std::string_view name = item.control->name;
    return item.control->kind == Kind::DirList ? view_.Dirs(name)->Count()
                                               : view_.Files(name)->Count();
}

RowLook Window::Look(const Item& item, int row) const {
    const std::string_view name = item.control->name;
    if (item.control->kind == Kind::DirList) {
        const forms::DirRows& rows = *view_.Dirs(name);
        return {RowText(rows, row), rows.Level(row), rows.IsChain(row)};
    }
    return {RowText(*view_.Files(name), row)};
}

LRESULT Window::OnDrawItem(const DRAWITEMSTRUCT& draw) {
    const Item* item = view_.ItemOf(draw.hwndItem);
    const int row = static_cast<int>(draw.itemID);
    if (!item) {
        return TRUE;
    }
    if (item->control->kind == Kind::DriveList) {
        const forms::DriveRows& rows = *view_.Drives(item->control->name);
        const bool shown = row >= 0 && row < rows.Count();
        DrawRow(draw, {shown ? FromCodePage(rows.Text(row)) : std::wstring()}, controls_.font,
                frame_.dpi);
        if (draw.itemState & ODS_COMBOBOXEDIT) { // its label, once the window is up
            PostMessageW(frame_.hwnd, kDriveDrawn, 0, reinterpret_cast<LPARAM>(draw.hwndItem));
        }
    } else if (row >= 0 && row < RowCount(*item)) {
        DrawRow(draw, Look(*item, row), controls_.font, frame_.dpi);
        if (item->control->kind == Kind::DirList && view_.Dirs(item->control->name)->Reading() &&
            !std::exchange(restPosted_, true)) {
            PostMessageW(frame_.hwnd, kDirDrawn, 0, reinterpret_cast<LPARAM>(draw.hwndItem));
        }
    } else if (draw.itemState & ODS_FOCUS) {
        DrawFocusRect(draw.hDC, &draw.rcItem); // an empty list with the focus
    }
    return TRUE;
}

void Window::OnDirDrawn(HWND list) {
    restPosted_ = false;
    if (const Item* item = view_.ItemOf(list)) {
        PaintPending();
        view_.ReadRest(item->control->name);
    }
}

void Window::OnDriveDrawn(HWND list) {
    if (const Item* item = view_.ItemOf(list)) {
        PaintPending(); // a slow drive's label would hold back the rest
        view_.ReadShownLabel(item->control->name);
    }
}

// A posted message comes before any paint: what a control's draw left for
// later waits until every control has painted what it shows.
void Window::PaintPending() {
    RedrawWindow(frame_.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Typing goes on a search as long as the keys follow each other closely, in
// the same rows, with no other key between.
LRESULT Window::OnCharToItem(wchar_t typed, int caret, HWND list) {
    const Item* item = view_.ItemOf(list);
    if (!item) {
        return -1;
    }
    const DWORD now = GetTickCount();
    if (list != typedIn_ || now - typedAt_ > 2 * GetDoubleClickTime() ||
        typedFills_ != view_.Fills()) {
        typed_.clear();
    }
    typedIn_ = list;
    typedAt_ = now;
    typedFills_ = view_.Fills();
    typed_ += typed;
    return TypeAhead([this, item](int row) { return Look(*item, row).text; }, RowCount(*item),
                     typed_, caret);
}

LRESULT Window::OnKeyToItem(UINT key) {
    if (MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) == 0) {
        typed_.clear();
    }
    return -1; // the list moves as it does
}

LRESULT Window::OnActivate(bool active) {
    if (!active) {
        rowTip_.Hide(); // the mouse may leave the list in another window's loop
        lastFocus_ = GetFocus();
        return 1;
    }
    if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    return 1;
}

void Window::OnDestroy() {
    if (gone_) {
        std::exchange(gone_, nullptr)();
    }
}

} // namespace win32front
