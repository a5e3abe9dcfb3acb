// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/win32_front.h"

#include "forms/lists.h"
#include "front/win32/text.h"
#include "platform/files/paths.h"

#include <commctrl.h>
#include <commdlg.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <optional>

namespace win32front {

using forms::Kind;

namespace {

// A function of a system library loaded when first asked for: linked, the
// library and all it brings along (the shell among them) were loaded before
// the main window showed. Null when it cannot be had.
template <class Function> Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

constexpr wchar_t kMainClass[] = L"VorlanesFrontend";
constexpr wchar_t kDialogClass[] = L"VorlanesDialog";
constexpr wchar_t kOwnerClass[] = L"VorlanesOwner";
constexpr int kIconId = 1;

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

bool TakesFocus(Kind kind) {
    return kind != Kind::Label && kind != Kind::Frame;
}

HFONT MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// A closed or open folder, drawn rather than loaded: the two must differ at a
// glance, and drawing costs no resource of its own.
void DrawFolder(HDC dc, int x, int y, int dpi, bool open) {
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x80, 0x60, 0x10));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HBRUSH back = CreateSolidBrush(open ? RGB(0xC8, 0x9A, 0x28) : RGB(0xE8, 0xB8, 0x30));
    HGDIOBJ oldBrush = SelectObject(dc, back);
    const POINT body[] = {{x + px(1), y + px(3)},   {x + px(6), y + px(3)},
                          {x + px(7), y + px(5)},   {x + px(14), y + px(5)},
                          {x + px(14), y + px(13)}, {x + px(1), y + px(13)}};
    Polygon(dc, body, 6);
    if (open) {
        HBRUSH front = CreateSolidBrush(RGB(0xFF, 0xF0, 0xA0));
        SelectObject(dc, front);
        const POINT lid[] = {{x + px(4), y + px(7)},
                             {x + px(15), y + px(7)},
                             {x + px(12), y + px(13)},
                             {x + px(1), y + px(13)}};
        Polygon(dc, lid, 4);
        SelectObject(dc, back);
        DeleteObject(front);
    } else {
        MoveToEx(dc, x + px(1), y + px(6), nullptr);
        LineTo(dc, x + px(14), y + px(6));
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(back);
    DeleteObject(pen);
}

// The colour of a tab control's body: a themed one paints it in a colour of
// its own, which what stands on it must take as its background.
COLORREF BodyColour(HWND tabs) {
    HTHEME theme = GetWindowTheme(tabs);
    if (!theme) {
        return GetSysColor(COLOR_BTNFACE); // a classic tab leaves its body to the window
    }
    RECT client{};
    GetClientRect(tabs, &client);
    RECT body = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    RECT row{client.left, client.top, client.right, body.top};
    SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const RECT pane{client.left, row.bottom, client.right, client.bottom};
    const POINT at{(body.left + body.right) / 2, body.bottom - 2};
    const RECT dot{at.x, at.y, at.x + 1, at.y + 1};
    // Only the pane, as the tab draws it beneath its row of tabs, and only
    // the pixel looked at: the whole tab takes milliseconds to draw.
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -at.x, -at.y, nullptr);
    FillRect(memory, &dot, GetSysColorBrush(COLOR_BTNFACE)); // through a pane with holes
    DrawThemeBackground(theme, memory, TABP_PANE, 0, &pane, &dot);
    const COLORREF colour = GetPixel(memory, at.x, at.y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return colour;
}

} // namespace

// One built window: its controls by name, the lists' rows, and the view the
// handlers see.
class Window final : public forms::View {
public:
    struct Item {
        const forms::Control* control;
        HWND hwnd;
        POINT origin; // the control's top left in the window's client area
    };

    Window(Win32Front& front, forms::Form& form, forms::Host& host)
        : front_(front), form_(form), host_(host), d_(form.description()) {}
    ~Window() override {
        if (font_) {
            DeleteObject(font_);
        }
        for (const auto& [tabs, brush] : bodies_) {
            DeleteObject(brush);
        }
    }

    HWND hwnd = nullptr;
    int dpi = 96;
    POINT place{}; // a dialog's top left, put again after showing
    std::vector<Item> items;
    std::map<std::string_view, forms::DriveRows> drives;
    std::map<std::string_view, forms::DirRows> dirs;
    std::map<std::string_view, forms::FileRows> files;
    HWND lastFocus = nullptr;

    forms::Form& form() { return form_; }
    forms::Host& host() { return host_; }
    const forms::Description& description() const { return d_; }

    const Item* ItemOf(std::string_view name) const {
        for (const Item& item : items) {
            if (item.control->name == name) {
                return &item;
            }
        }
        return nullptr;
    }
    const Item* ItemOf(HWND control) const {
        for (const Item& item : items) {
            if (item.hwnd == control) {
                return &item;
            }
        }
        return nullptr;
    }
    HWND Control(std::string_view name) const {
        const Item* item = ItemOf(name);
        return item ? item->hwnd : nullptr;
    }

    void Create(HINSTANCE instance);
    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<const Item*> TabStops() const;
    bool Key(const MSG& message);

    // forms::View
    std::string Text(std::string_view box) const override {
        HWND edit = Control(box);
        if (!edit) {
            return {};
        }
        const std::wstring now = WindowText(edit);
        const auto kept = texts_.find(box);
        if (kept != texts_.end() && kept->second.shown == now) {
            return kept->second.bytes;
        }
        return ToCodePage(now);
    }
    void SetText(std::string_view box, const std::string& text) override {
        if (HWND edit = Control(box)) {
            KeptText& kept = texts_[std::string(box)];
            kept.bytes = text;
            kept.shown = FromCodePage(text);
            SetWindowTextW(edit, kept.shown.c_str());
        }
    }
    bool Value(std::string_view option) const override {
        HWND button = Control(option);
        return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetValue(std::string_view option, bool on) override {
        if (HWND button = Control(option)) {
            SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    int Check(std::string_view box) const override {
        HWND button = Control(box);
        if (!button) {
            return forms::kClear;
        }
        const LRESULT state = SendMessageW(button, BM_GETCHECK, 0, 0);
        return state == BST_CHECKED         ? forms::kChecked
               : state == BST_INDETERMINATE ? forms::kGrayed
                                            : forms::kClear;
    }
    void SetCheck(std::string_view box, int state) override {
        if (HWND button = Control(box)) {
            SendMessageW(button, BM_SETCHECK,
                         state == forms::kChecked  ? BST_CHECKED
                         : state == forms::kGrayed ? BST_INDETERMINATE
                                                   : BST_UNCHECKED,
                         0);
        }
    }
    char Drive(std::string_view list) const override {
        const auto it = drives.find(list);
        return it == drives.end() ? 0 : it->second.Drive();
    }
    void SetDrive(std::string_view list, char letter) override {
        const auto it = drives.find(list);
        if (it == drives.end()) {
            return;
        }
        it->second.Show(letter);
        SendMessageW(Control(list), CB_SETCURSEL,
                     static_cast<WPARAM>(it->second.RowOf(it->second.Drive())), 0);
    }
    bool SetPath(std::string_view list, const std::string& path, std::string* reason) override {
        const auto it = dirs.find(list);
        bool changed = false;
        if (it == dirs.end() || !it->second.Open(path, reason, &changed)) {
            return false;
        }
        Fill(Control(list), it->second.Count());
        // The open directory is highlighted, as the system's own list shows it.
        SendMessageW(Control(list), LB_SETCURSEL, static_cast<WPARAM>(it->second.OpenRow()), 0);
        if (changed) {
            form_.Raise(list, forms::Event::Change);
        }
        return true;
    }
    std::string Path(std::string_view list) const override {
        if (const auto it = dirs.find(list); it != dirs.end()) {
            return it->second.Path();
        }
        const auto it = files.find(list);
        return it == files.end() ? std::string() : it->second.Path();
    }
    void ShowFiles(std::string_view fileList, std::string_view dirList) override {
        const auto file = files.find(fileList);
        const auto dir = dirs.find(dirList);
        if (file != files.end() && dir != dirs.end()) {
            file->second.Show(dir->second.Path(), dir->second.Contents());
            Fill(Control(fileList), file->second.Count());
        }
    }
    std::string FileName(std::string_view fileList) const override {
        const auto it = files.find(fileList);
        if (it == files.end()) {
            return {};
        }
        const auto row = static_cast<int>(SendMessageW(Control(fileList), LB_GETCURSEL, 0, 0));
        return row >= 0 && row < it->second.Count() ? it->second.Name(row) : std::string();
    }
    void Close() override { DestroyWindow(hwnd); }
    void Tell(const std::string& text) override {
        MessageBoxW(hwnd, FromCodePage(text).c_str(), FromUtf8(d_.caption).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
    bool Ask(const std::string& text) override {
        return MessageBoxW(hwnd, FromCodePage(text).c_str(), FromUtf8(d_.caption).c_str(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    std::string ChooseFile() override {
        std::string name(32768, '\0');
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = hwnd;
        dialog.lpstrFile = name.data();
        dialog.nMaxFile = static_cast<DWORD>(name.size());
        static const auto open =
            SystemFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>(L"comdlg32.dll", "GetOpenFileNameA");
        if (!open || !open(&dialog)) {
            return {};
        }
        name.resize(name.find('\0'));
        return name;
    }

private:
    struct KeptText {
        std::string bytes;
        std::wstring shown;
    };

    // Sets a list's row count at once, its redraw held meanwhile: a list of
    // owner-drawn rows without strings fills in no time, whatever its length.
    static void Fill(HWND list, int count) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        SendMessageW(list, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    void CreateControl(std::size_t index, HINSTANCE instance);
    void ShowPages();
    bool Shown(const forms::Control& control) const;
    void Command(const Item& item, int code);
    void DirChosen(const Item& item, int row);
    void DrawRow(const DRAWITEMSTRUCT& draw);
    void DrawDrive(const Item& item, const DRAWITEMSTRUCT& draw);
    int RowCount(const Item& item) const; // of a directory or file list
    std::wstring RowText(const Item& item, int row) const;
    int TypeAhead(const Item& item, wchar_t typed, int from) const;
    void PlaceDialog();

    Win32Front& front_;
    forms::Form& form_;
    forms::Host& host_;
    const forms::Description& d_;
    HFONT font_ = nullptr;
    HWND tips_ = nullptr;
    int rowHeight_ = 16;
    std::map<std::string, KeptText, std::less<>> texts_;
    std::map<HWND, HBRUSH> bodies_; // each tab control's body, for what stands on it

    HBRUSH Body(HWND tabs) {
        HBRUSH& brush = bodies_[tabs];
        if (!brush) {
            const COLORREF colour = BodyColour(tabs);
            brush = CreateSolidBrush(colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour);
        }
        return brush;
    }
};

void Window::Create(HINSTANCE instance) {
    const bool main = d_.border == forms::Border::Sizable;
    // Not clipping its children: a group box paints only its frame, and what
    // lies within it is the window's own background.
    const DWORD style = main ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = main ? 0 : WS_EX_DLGMODALFRAME;
    HMENU menu = nullptr;
    if (!d_.menus.empty()) {
        menu = CreateMenu();
        HMENU popup = nullptr;
        std::string_view current;
        for (std::size_t i = 0; i < d_.menus.size(); ++i) {
            const forms::MenuItem& item = d_.menus[i];
            if (popup == nullptr || item.menu != current) {
                popup = CreatePopupMenu();
                current = item.menu;
                AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                            FromUtf8(item.menuCaption).c_str());
            }
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(ControlId(d_.controls.size() + i)),
                        FromUtf8(item.caption).c_str());
        }
    }
    // Made at its size as the system's DPI gives it: resized afterwards, the
    // window is laid out twice before it shows.
    const UINT systemDpi = GetDpiForSystem();
    RECT guess{0, 0, Pixels(d_.width, static_cast<int>(systemDpi)),
               Pixels(d_.height, static_cast<int>(systemDpi))};
    AdjustWindowRectExForDpi(&guess, style, menu != nullptr, exStyle, systemDpi);
    hwnd = CreateWindowExW(exStyle, main ? kMainClass : kDialogClass, FromUtf8(d_.caption).c_str(),
                           style, CW_USEDEFAULT, CW_USEDEFAULT, guess.right - guess.left,
                           guess.bottom - guess.top, main ? nullptr : front_.Owner(), menu,
                           instance, this);
    dpi = static_cast<int>(GetDpiForWindow(hwnd));

    // The client area as described, the frame around it.
    const int width = Pixels(d_.width, dpi);
    const int height = Pixels(d_.height, dpi);
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, style, menu != nullptr, exStyle, static_cast<UINT>(dpi));
    RECT made{};
    GetWindowRect(hwnd, &made);
    if (made.right - made.left != frame.right - frame.left ||
        made.bottom - made.top != frame.bottom - frame.top) { // a DPI of its own
        SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != width || client.bottom != height) { // a menu bar that wrapped
        SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (d_.position) {
        place = {Pixels(d_.position->x, dpi) + frame.left, Pixels(d_.position->y, dpi) + frame.top};
        PlaceDialog();
    }

    if (!main || dpi != static_cast<int>(GetDpiForSystem())) { // else its class's
        if (HICON icon = BigIcon(instance, dpi)) {
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        }
        if (HICON icon = SmallIcon(instance, dpi)) {
            SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }

    font_ = MessageFont();
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    rowHeight_ = std::max<int>(metrics.tmHeight, MulDiv(16, dpi, 96)) + 2;

    for (std::size_t i = 0; i < d_.controls.size(); ++i) {
        CreateControl(i, instance);
    }
    // Containers below what they hold, the outermost lowest.
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (it->control->kind == Kind::Tabs || it->control->kind == Kind::Frame) {
            SetWindowPos(it->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    ShowPages();
}

void Window::CreateControl(std::size_t index, HINSTANCE instance) {
    const forms::Control& c = d_.controls[index];
    POINT origin{0, 0};
    if (!c.container.empty()) {
        origin = ItemOf(c.container)->origin;
    }
    origin.x += Pixels(c.rect.left, dpi);
    origin.y += Pixels(c.rect.top, dpi);
    int height = Pixels(c.rect.height, dpi);

    const wchar_t* cls = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    std::wstring caption = FromUtf8(c.caption);
    switch (c.kind) {
    case Kind::Button:
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case Kind::Label: {
        // An address opens by mouse only, as in the other front: a label is no
        // Tab stop, and Enter must not open a browser from a focus nobody sees.
        const std::size_t link = caption.find(L"://");
        if (link != std::wstring::npos) {
            const std::size_t start = caption.rfind(L' ', link) + 1;
            cls = WC_LINK;
            const std::wstring address = caption.substr(start);
            caption =
                caption.substr(0, start) + L"<a href=\"" + address + L"\">" + address + L"</a>";
        } else {
            cls = WC_STATICW;
            style |= SS_LEFT | SS_NOPREFIX;
        }
        break;
    }
    case Kind::TextBox:
        cls = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        caption.clear(); // shown through SetText, keeping its bytes
        break;
    case Kind::CheckBox:
        style |= WS_TABSTOP | BS_3STATE; // a click gives what forms::Clicked says
        break;
    case Kind::Option: {
        // Not automatic: the group stays exclusive through its click handlers.
        style |= BS_RADIOBUTTON;
        const auto group = d_.GroupOf(c.name);
        if (!group.empty() && group.front() == c.name) {
            style |= WS_GROUP;
        }
        break;
    }
    case Kind::Frame:
        style |= BS_GROUPBOX;
        break;
    case Kind::Tabs:
        cls = WC_TABCONTROLW;
        style |= WS_TABSTOP;
        caption.clear();
        break;
    case Kind::DriveList:
        cls = WC_COMBOBOXW;
        // Drawn by us so that its rows take the height set for them, which
        // Wine heeds only then; the strings stay for its type-ahead.
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        height = MulDiv(240, dpi, 96); // the list dropped down; the box keeps its own height
        caption.clear();
        break;
    case Kind::DirList:
    case Kind::FileList:
        cls = WC_LISTBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY |
                 LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT;
        exStyle = WS_EX_CLIENTEDGE;
        caption.clear();
        break;
    }
    HWND control = CreateWindowExW(
        exStyle, cls, caption.c_str(), style, origin.x, origin.y, Pixels(c.rect.width, dpi), height,
        hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    items.push_back({&c, control, origin});

    switch (c.kind) {
    case Kind::TextBox:
        SetText(c.name, std::string(c.caption));
        break;
    case Kind::CheckBox:
        SetCheck(c.name, c.value);
        break;
    case Kind::Option:
        SetValue(c.name, c.value != 0);
        break;
    case Kind::Tabs: {
        std::string_view rest = c.caption;
        for (int tab = 0;; ++tab) {
            const std::size_t bar = rest.find('|');
            std::wstring text = FromUtf8(rest.substr(0, bar));
            TCITEMW entry{};
            entry.mask = TCIF_TEXT;
            entry.pszText = text.data();
            SendMessageW(control, TCM_INSERTITEMW, static_cast<WPARAM>(tab),
                         reinterpret_cast<LPARAM>(&entry));
            if (bar == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(bar + 1);
        }
        break;
    }
    case Kind::DriveList: {
        forms::DriveRows& rows =
            drives.emplace(c.name, forms::DriveRows(platform::PathMap::System().Drives()))
                .first->second;
        SendMessageW(control, CB_SETITEMHEIGHT, 0, rowHeight_); // the rows of the list dropped down
        for (int row = 0; row < rows.Count(); ++row) {
            SendMessageW(control, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(FromCodePage(rows.Text(row)).c_str()));
        }
        break;
    }
    case Kind::DirList:
        dirs.emplace(c.name, forms::DirRows());
        SendMessageW(control, LB_SETITEMHEIGHT, 0, rowHeight_);
        break;
    case Kind::FileList:
        files.emplace(c.name, forms::FileRows(std::string(c.pattern)));
        SendMessageW(control, LB_SETITEMHEIGHT, 0, rowHeight_);
        break;
    default:
        break;
    }

    if (!c.toolTip.empty()) {
        if (!tips_) {
            tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    hwnd, nullptr, instance, nullptr);
            SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, dpi, 96));
        }
        std::wstring tip = FromUtf8(c.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = tip.data();
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Whether a control shows: its container shows, on the page that holds it.
bool Window::Shown(const forms::Control& control) const {
    if (control.container.empty()) {
        return true;
    }
    const Item* container = ItemOf(control.container);
    if (container->control->kind == Kind::Tabs &&
        SendMessageW(container->hwnd, TCM_GETCURSEL, 0, 0) != control.page) {
        return false;
    }
    return Shown(*container->control);
}

void Window::ShowPages() {
    for (const Item& item : items) {
        ShowWindow(item.hwnd, Shown(*item.control) ? SW_SHOWNA : SW_HIDE);
    }
}

// A dialog's place: the client area at the fixed point, moved only as far as
// it takes to keep the whole dialog within the work area.
void Window::PlaceDialog() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT now{};
    GetWindowRect(hwnd, &now);
    const int width = now.right - now.left;
    const int height = now.bottom - now.top;
    place.x = std::max<int>(area.left, std::min<int>(place.x, area.right - width));
    place.y = std::max<int>(area.top, std::min<int>(place.y, area.bottom - height));
    SetWindowPos(hwnd, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<const Window::Item*> Window::TabStops() const {
    std::vector<const Item*> stops;
    for (const std::string_view name : d_.TabOrder()) {
        const Item* item = ItemOf(name);
        if (!TakesFocus(item->control->kind) || !IsWindowVisible(item->hwnd) ||
            !IsWindowEnabled(item->hwnd)) {
            continue;
        }
        if (item->control->kind == Kind::Option) {
            // A group is one stop: its selected option, or its first when none is.
            const auto group = d_.GroupOf(name);
            std::string_view stop = group.front();
            for (const std::string_view member : group) {
                if (Value(member)) {
                    stop = member;
                    break;
                }
            }
            if (stop != name) {
                continue;
            }
        }
        stops.push_back(item);
    }
    return stops;
}

bool Window::Key(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return message.message == WM_CHAR &&
               (message.wParam == L'\t' || message.wParam == L'\r' || message.wParam == 27);
    }
    HWND focus = GetFocus();
    HWND comboParent = GetParent(focus);
    const Item* focused = ItemOf(focus);
    if (!focused && comboParent) {
        focused = ItemOf(comboParent);
    }
    const bool control = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    switch (message.wParam) {
    case VK_TAB: {
        if (control) {
            return false;
        }
        const auto stops = TabStops();
        if (stops.empty()) {
            return true;
        }
        const bool back = GetKeyState(VK_SHIFT) < 0;
        std::ptrdiff_t at = -1;
        // Where the focus stands: an option stands at its group's stop.
        for (std::size_t i = 0; i < stops.size(); ++i) {
            const forms::Control& stop = *stops[i]->control;
            if (focused && (stops[i] == focused ||
                            (focused->control->kind == Kind::Option && stop.kind == Kind::Option &&
                             d_.GroupOf(focused->control->name) == d_.GroupOf(stop.name)))) {
                at = static_cast<std::ptrdiff_t>(i);
            }
        }
        const auto size = static_cast<std::ptrdiff_t>(stops.size());
        const std::ptrdiff_t next =
            at < 0 ? (back ? size - 1 : 0) : (at + (back ? -1 : 1) + size) % size;
        HWND target = stops[static_cast<std::size_t>(next)]->hwnd;
        SetFocus(target);
        if (stops[static_cast<std::size_t>(next)]->control->kind == Kind::TextBox) {
            SendMessageW(target, EM_SETSEL, 0, -1);
        }
        return true;
    }
    case VK_RETURN:
        if (focused && focused->control->kind == Kind::Button) {
            form_.Raise(focused->control->name, forms::Event::Click);
        } else if (focused && focused->control->kind == Kind::DirList) {
            DirChosen(*focused,
                      static_cast<int>(SendMessageW(focused->hwnd, LB_GETCARETINDEX, 0, 0)));
        } else if (focused && focused->control->kind == Kind::DriveList &&
                   SendMessageW(focused->hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
            return false; // closes the list on the highlighted drive
        }
        return true; // no default button: Enter presses only the focused one
    case VK_ESCAPE:
        // Esc does nothing, but close a dropped-down drive list.
        return !(focused && focused->control->kind == Kind::DriveList &&
                 SendMessageW(focused->hwnd, CB_GETDROPPEDSTATE, 0, 0));
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
        if (!focused || focused->control->kind != Kind::Option || control) {
            return false;
        }
        const auto group = d_.GroupOf(focused->control->name);
        const auto self =
            std::find(group.begin(), group.end(), focused->control->name) - group.begin();
        const auto size = static_cast<std::ptrdiff_t>(group.size());
        const std::ptrdiff_t step = message.wParam == VK_UP || message.wParam == VK_LEFT ? -1 : 1;
        const std::string_view next = group[static_cast<std::size_t>((self + step + size) % size)];
        SetFocus(Control(next));
        form_.Raise(next, forms::Event::Click);
        return true;
    }
    default:
        return false;
    }
}

void Window::Command(const Item& item, int code) {
    const forms::Control& c = *item.control;
    switch (c.kind) {
    case Kind::Button:
    case Kind::Option:
        if (code == BN_CLICKED) {
            form_.Raise(c.name, forms::Event::Click);
        }
        break;
    case Kind::CheckBox:
        if (code == BN_CLICKED) {
            SetCheck(c.name, forms::Clicked(Check(c.name) == forms::kChecked ? forms::kChecked
                                                                             : forms::kClear));
            form_.Raise(c.name, forms::Event::Click);
        }
        break;
    case Kind::DriveList: {
        // Arrows on the closed list choose at once; a dropped-down list
        // chooses as it closes.
        const bool dropped = SendMessageW(item.hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if ((code == CBN_SELCHANGE && !dropped) || code == CBN_CLOSEUP) {
            const auto row = static_cast<int>(SendMessageW(item.hwnd, CB_GETCURSEL, 0, 0));
            if (drives.at(c.name).Choose(row)) {
                form_.Raise(c.name, forms::Event::Change);
            }
        }
        break;
    }
    case Kind::DirList:
        if (code == LBN_DBLCLK) {
            DirChosen(item, static_cast<int>(SendMessageW(item.hwnd, LB_GETCARETINDEX, 0, 0)));
        }
        break;
    case Kind::FileList:
        if (code == LBN_SELCHANGE) {
            files.at(c.name).Select(static_cast<int>(SendMessageW(item.hwnd, LB_GETCURSEL, 0, 0)));
        }
        break;
    default:
        break;
    }
}

// The user opened a directory list's entry.
void Window::DirChosen(const Item& item, int row) {
    const forms::DirRows& rows = dirs.at(item.control->name);
    const std::string target = row >= 0 && row < rows.Count() ? rows.RowPath(row) : std::string();
    if (target.empty() || target == rows.Path()) {
        return;
    }
    std::string reason;
    if (!SetPath(item.control->name, target, &reason)) {
        form_.ListFailed(item.control->name, target, reason);
    }
}

void Window::DrawRow(const DRAWITEMSTRUCT& draw) {
    const Item* item = ItemOf(draw.hwndItem);
    if (!item) {
        return;
    }
    HDC dc = draw.hDC;
    RECT r = draw.rcItem;
    const int row = static_cast<int>(draw.itemID);
    if (item->control->kind == Kind::DriveList) {
        DrawDrive(*item, draw);
        return;
    }
    const bool dirList = item->control->kind == Kind::DirList;
    if (row >= 0 && row < RowCount(*item)) {
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        int x = r.left + MulDiv(2, dpi, 96);
        if (dirList) {
            const forms::DirRows& rows = dirs.at(item->control->name);
            x += rows.Level(row) * MulDiv(10, dpi, 96);
            DrawFolder(dc, x, r.top + (r.bottom - r.top - MulDiv(16, dpi, 96)) / 2, dpi,
                       rows.IsChain(row));
            x += MulDiv(20, dpi, 96);
        }
        RECT text{x, r.top, r.right, r.bottom};
        const std::wstring shown = RowText(*item, row);
        HGDIOBJ old = SelectObject(dc, font_);
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    if (draw.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &r);
    }
}

void Window::DrawDrive(const Item& item, const DRAWITEMSTRUCT& draw) {
    const forms::DriveRows& rows = drives.at(item.control->name);
    const int row = static_cast<int>(draw.itemID);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    RECT r = draw.rcItem;
    FillRect(draw.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (row >= 0 && row < rows.Count()) {
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const std::wstring text = FromCodePage(rows.Text(row));
        r.left += MulDiv(2, dpi, 96);
        HGDIOBJ old = SelectObject(draw.hDC, font_);
        DrawTextW(draw.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(draw.hDC, old);
    }
    if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
        DrawFocusRect(draw.hDC, &draw.rcItem);
    }
}

int Window::RowCount(const Item& item) const {
    return item.control->kind == Kind::DirList ? dirs.at(item.control->name).Count()
                                               : files.at(item.control->name).Count();
}

// A name as Windows shows it, also when the code page cannot spell it.
std::wstring Window::RowText(const Item& item, int row) const {
    const bool dirList = item.control->kind == Kind::DirList;
    const std::string& trueName = dirList ? dirs.at(item.control->name).TrueName(row)
                                          : files.at(item.control->name).TrueName(row);
    if (!trueName.empty()) {
        return FromUtf8(trueName);
    }
    return FromCodePage(dirList ? dirs.at(item.control->name).Name(row)
                                : files.at(item.control->name).Name(row));
}

// Typing a character moves to the next row after `from` that starts with it.
int Window::TypeAhead(const Item& item, wchar_t typed, int from) const {
    const int count = RowCount(item);
    const wchar_t wanted = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(typed)))));
    for (int step = 1; step <= count; ++step) {
        const int row = (from + step + count) % count;
        const std::wstring shown = RowText(item, row);
        if (!shown.empty() &&
            static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(
                reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(shown.front()))))) == wanted) {
            return row;
        }
    }
    return -2; // nothing starts with it: the list stays
}

LRESULT Window::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (lParam == 0) { // a menu item
            const auto item = static_cast<std::size_t>(id - ControlId(d_.controls.size()));
            if (id >= ControlId(d_.controls.size()) && item < d_.menus.size()) {
                form_.Raise(d_.menus[item].name, forms::Event::Click);
            }
            return 0;
        }
        if (const Item* item = ItemOf(reinterpret_cast<HWND>(lParam))) {
            Command(*item, HIWORD(wParam));
        }
        return 0; // IDOK and IDCANCEL included: no button is bound to Enter or Esc
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TCN_SELCHANGE) {
            ShowPages();
        } else if (header->code == NM_CLICK && ItemOf(header->hwndFrom) &&
                   ItemOf(header->hwndFrom)->control->kind == Kind::Label) {
            using Execute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
            static const auto execute = SystemFunction<Execute>(L"shell32.dll", "ShellExecuteW");
            const auto* link = reinterpret_cast<const NMLINK*>(lParam);
            if (execute) {
                execute(hwnd, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
            }
        }
        return 0;
    }
    case WM_ERASEBKGND: {
        // Under a frame on a tab, the window shows through: there, the tab's body.
        RECT all{};
        GetClientRect(hwnd, &all);
        const auto dc = reinterpret_cast<HDC>(wParam);
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        for (const Item& item : items) {
            if (item.control->kind == Kind::Tabs && IsWindowVisible(item.hwnd)) {
                RECT body{};
                GetWindowRect(item.hwnd, &body);
                MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&body), 2);
                SendMessageW(item.hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
                FillRect(dc, &body, Body(item.hwnd));
            }
        }
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // Labels, check boxes, options and frames on a tab take its body's colour.
        if (const Item* item = ItemOf(reinterpret_cast<HWND>(lParam))) {
            const forms::Control* c = item->control;
            while (!c->container.empty() && ItemOf(c->container)->control->kind != Kind::Tabs) {
                c = ItemOf(c->container)->control;
            }
            if (!c->container.empty()) {
                HBRUSH brush = Body(ItemOf(c->container)->hwnd);
                LOGBRUSH fill{};
                GetObjectW(brush, sizeof fill, &fill);
                SetBkColor(reinterpret_cast<HDC>(wParam), fill.lbColor);
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    case WM_DRAWITEM:
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CHARTOITEM: {
        const Item* item = ItemOf(reinterpret_cast<HWND>(lParam));
        if (!item) {
            return -1;
        }
        return TypeAhead(*item, static_cast<wchar_t>(LOWORD(wParam)), HIWORD(wParam));
    }
    case WM_VKEYTOITEM:
        return -1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            lastFocus = GetFocus();
        } else if (lastFocus && IsWindow(lastFocus)) {
            SetFocus(lastFocus);
            return 0;
        }
        break;
    case WM_DESTROY:
        front_.Gone(this);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr || message == WM_NCCREATE) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return window->Proc(message, wParam, lParam);
}

} // namespace

Win32Front::Win32Front(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_WIN95_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WindowProc;
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

HWND Win32Front::Owner() {
    // Never shown: the dialogs it owns stay out of the task bar and outlive
    // the main window. Made with the first dialog, not before the main window.
    if (!owner_) {
        owner_ = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr);
    }
    return owner_;
}

Win32Front::~Win32Front() {
    for (auto& [form, window] : windows_) {
        SetWindowLongPtrW(window->hwnd, GWLP_USERDATA, 0);
        DestroyWindow(window->hwnd);
        window->form().Attach(nullptr);
    }
    if (owner_) {
        DestroyWindow(owner_);
    }
}

void Win32Front::Build(forms::Form& form, forms::Host& host) {
    gone_.clear();
    auto window = std::make_unique<Window>(*this, form, host);
    Window* built = window.get();
    windows_[&form] = std::move(window);
    built->Create(instance_);
    form.Attach(built);
}

void Win32Front::Show(forms::Form& form) {
    Window* window = windows_.count(&form) ? windows_.at(&form).get() : nullptr;
    if (!window) {
        return;
    }
    const bool first = !IsWindowVisible(window->hwnd);
    ShowWindow(window->hwnd, SW_SHOW);
    if (first && window->description().position) {
        // Put once more where it belongs: some window managers place an owned
        // window off from where it is drawn until it moves after showing.
        SetWindowPos(window->hwnd, nullptr, window->place.x, window->place.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetForegroundWindow(window->hwnd);
    if (first) {
        const auto stops = window->TabStops();
        if (!stops.empty()) {
            SetFocus(stops.front()->hwnd);
            window->lastFocus = stops.front()->hwnd;
        }
    }
}

void Win32Front::Quit() {
    PostQuitMessage(0);
}

int Win32Front::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (Preprocess(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    gone_.clear();
    return static_cast<int>(message.wParam);
}

bool Win32Front::Preprocess(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) {
        return false;
    }
    Window* window = Find(GetAncestor(message.hwnd, GA_ROOT));
    return window != nullptr && window->Key(message);
}

HWND Win32Front::Handle(const forms::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second->hwnd;
}

std::vector<std::string_view> Win32Front::TabStops(const forms::Form& form) const {
    std::vector<std::string_view> names;
    const auto it = windows_.find(&form);
    if (it != windows_.end()) {
        for (const Window::Item* item : it->second->TabStops()) {
            names.push_back(item->control->name);
        }
    }
    return names;
}

Window* Win32Front::Find(HWND hwnd) const {
    for (const auto& [form, window] : windows_) {
        if (window->hwnd == hwnd) {
            return window.get();
        }
    }
    return nullptr;
}

// The window has been destroyed: its view stays until its handlers have returned.
void Win32Front::Gone(Window* window) {
    forms::Form& form = window->form();
    const auto it = windows_.find(&form);
    if (it == windows_.end()) {
        return;
    }
    gone_.push_back(std::move(it->second));
    windows_.erase(it);
    window->host().Unloaded(form);
}

} // namespace win32front
