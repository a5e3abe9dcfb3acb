// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// What the Win32 front itself can get wrong: each window as its description
// gives it, Tab and the keys the windows handle, and the lists.
#include "app/aboutfrontend.h"
#include "app/frontend.h"
#include "config/confighugo.h"
#include "forms/lists.h"
#include "front/win32/text.h"
#include "location/pathemulator.h"
#include "support/temp_dir.h"
#include "support/win32_front.h"

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>

using forms::Kind;
using ::testing::ElementsAreArray;

namespace {

const forms::Description& (*const kForms[])() = {&Frontend::Description, &Pathemulator::Description,
                                                 &Confighugo::Description,
                                                 &Aboutfrontend::Description};

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// A control's top left in twips within the client area, its containers' added.
POINT Origin(const forms::Description& d, const forms::Control& c, int dpi) {
    POINT at{win32front::Pixels(c.rect.left, dpi), win32front::Pixels(c.rect.top, dpi)};
    if (!c.container.empty()) {
        const POINT outer = Origin(d, *d.Find(c.container), dpi);
        at.x += outer.x;
        at.y += outer.y;
    }
    return at;
}

// Whether `upper` lies above `lower` among their window's controls.
bool Above(HWND upper, HWND lower) {
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower) {
            return true;
        }
    }
    return false;
}

// The icon a window shows at a size: its own, else its class's.
int IconSize(HWND window, WPARAM which, int classIndex) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    if (!icon) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, classIndex));
    }
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST(Win32Front, BuildsEachWindowAsDescribed) {
    const std::map<Kind, std::wstring> classes = {
        {Kind::Button, L"Button"},        {Kind::Label, L"Static"},
        {Kind::TextBox, L"Edit"},         {Kind::CheckBox, L"Button"},
        {Kind::Option, L"Button"},        {Kind::Frame, L"Button"},
        {Kind::Tabs, L"SysTabControl32"}, {Kind::DriveList, L"ComboBox"},
        {Kind::DirList, L"ListBox"},      {Kind::FileList, L"ListBox"}};
    const std::map<Kind, LONG> buttonTypes = {{Kind::Button, BS_PUSHBUTTON},
                                              {Kind::CheckBox, BS_3STATE},
                                              {Kind::Option, BS_RADIOBUTTON},
                                              {Kind::Frame, BS_GROUPBOX}};
    for (const auto form : kForms) {
        const forms::Description& d = form();
        SCOPED_TRACE(std::string(d.name));
        Built built(d);
        const int dpi = built.Dpi();
        const LONG style = GetWindowLongW(built.Window(), GWL_STYLE);

        RECT client{};
        GetClientRect(built.Window(), &client);
        EXPECT_EQ(client.right, win32front::Pixels(d.width, dpi));
        EXPECT_EQ(client.bottom, win32front::Pixels(d.height, dpi));
        if (d.border == forms::Border::Sizable) {
            EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
            EXPECT_EQ(GetWindow(built.Window(), GW_OWNER), nullptr);
        } else {
            // Out of the task bar: owned, and by a window never shown.
            EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
            EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
            HWND owner = GetWindow(built.Window(), GW_OWNER);
            ASSERT_NE(owner, nullptr);
            EXPECT_FALSE(IsWindowVisible(owner));
            POINT corner{0, 0};
            ClientToScreen(built.Window(), &corner);
            EXPECT_EQ(corner.x, win32front::Pixels(d.position->x, dpi));
            EXPECT_EQ(corner.y, win32front::Pixels(d.position->y, dpi));
        }
        EXPECT_EQ(IconSize(built.Window(), ICON_BIG, GCLP_HICON), MulDiv(48, dpi, 96));
        EXPECT_EQ(IconSize(built.Window(), ICON_SMALL, GCLP_HICONSM),
                  GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi)));
        EXPECT_EQ(GetDlgItem(built.Window(), IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(built.Window(), IDCANCEL), nullptr);

        for (const forms::Control& c : d.controls) {
            SCOPED_TRACE(std::string(c.name));
            HWND control = built.Control(c.name);
            ASSERT_NE(control, nullptr);
            const bool link = c.kind == Kind::Label && c.caption.find("://") != c.caption.npos;
            EXPECT_EQ(ClassOf(control), link ? L"SysLink" : classes.at(c.kind));
            const LONG controlStyle = GetWindowLongW(control, GWL_STYLE);
            if (buttonTypes.count(c.kind)) {
                EXPECT_EQ(controlStyle & BS_TYPEMASK, buttonTypes.at(c.kind));
            }
            if (c.kind == Kind::Option) {
                EXPECT_EQ((controlStyle & WS_GROUP) != 0, d.GroupOf(c.name).front() == c.name);
            }
            if (!c.container.empty()) { // else hidden beneath it
                EXPECT_TRUE(Above(control, built.Control(c.container)));
            }
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, built.Window(), reinterpret_cast<POINT*>(&r), 2);
            const POINT at = Origin(d, c, dpi);
            EXPECT_EQ(r.left, at.x);
            EXPECT_EQ(r.top, at.y);
            EXPECT_EQ(r.right - r.left, win32front::Pixels(c.rect.width, dpi));
            if (c.kind != Kind::DriveList) {
                EXPECT_EQ(r.bottom - r.top, win32front::Pixels(c.rect.height, dpi));
            } else { // the system's own drop-down list's height in the font
                HWND plain = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0,
                                             10, 200, built.Window(), nullptr, nullptr, nullptr);
                SendMessageW(plain, WM_SETFONT,
                             SendMessageW(built.Control(d.controls.front().name), WM_GETFONT, 0, 0),
                             FALSE);
                RECT own{};
                GetWindowRect(plain, &own);
                DestroyWindow(plain);
                EXPECT_EQ(r.bottom - r.top, own.bottom - own.top);
            }
            if (c.kind == Kind::DriveList || c.kind == Kind::DirList || c.kind == Kind::FileList) {
                // A row holds a folder's 16-pixel picture with room around it.
                const UINT rowHeight =
                    c.kind == Kind::DriveList ? CB_GETITEMHEIGHT : LB_GETITEMHEIGHT;
                EXPECT_GE(SendMessageW(control, rowHeight, 0, 0), MulDiv(16, dpi, 96) + 2);
            }
        }
    }
}

TEST(Win32Front, TabVisitsTheShownStopsInTheirOrder) {
    struct Case {
        const forms::Description& (*form)();
        std::vector<std::string_view> stops;
    };
    const Case cases[] = {
        {&Frontend::Description, {"SSTab1", "SSTab2", "Drive", "Dir", "File", "Go", "Setup"}},
        {&Pathemulator::Description, {"OKButton", "CancelButton", "Pathhugo", "Browse"}},
        // An option group is one stop; the tab "Control" is not shown.
        {&Confighugo::Description,
         {"OKButton", "CancelButton", "SSTab", "Rom_Dir", "graph1", "langue1", "Modeeagle",
          "Exactdraw", "Son", "Staticrefresh", "Browse"}},
        {&Aboutfrontend::Description, {"OKButton"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form().name));
        Built built(c.form());
        EXPECT_THAT(built.front.TabStops(built.form), ElementsAreArray(c.stops));
        // Round once with Tab, from the first stop back to it.
        SetFocus(built.Control(c.stops.front()));
        for (std::size_t i = 1; i <= c.stops.size(); ++i) {
            EXPECT_TRUE(built.Key(VK_TAB));
            EXPECT_EQ(GetFocus(), built.Control(c.stops[i % c.stops.size()]));
        }
    }
}

TEST(Win32Front, EnterPressesOnlyTheFocusedButtonAndEscNothing) {
    Built built(Pathemulator::Description());
    built.form.raised.clear();
    SetFocus(built.Control("CancelButton"));
    EXPECT_TRUE(built.Key(VK_RETURN));
    EXPECT_TRUE(built.Key(VK_ESCAPE));
    SetFocus(built.Control("Pathhugo"));
    EXPECT_TRUE(built.Key(VK_RETURN));
    EXPECT_THAT(built.form.raised, ElementsAreArray({"CancelButton"}));
}

TEST(Win32Front, ArrowsSelectThroughTheGroupsClickHandler) {
    Built built(Confighugo::Description());
    built.form.raised.clear();
    SetFocus(built.Control("graph1"));
    EXPECT_TRUE(built.Key(VK_DOWN));
    EXPECT_EQ(GetFocus(), built.Control("graph2"));
    SetFocus(built.Control("graph1"));
    EXPECT_TRUE(built.Key(VK_UP));
    EXPECT_THAT(built.form.raised, ElementsAreArray({"graph2", "graph5"}));
}

// A click gives clear or checked, whatever the box showed.
TEST(Win32Front, CheckBoxClickRule) {
    const std::pair<int, int> cases[] = {
        {forms::kClear, forms::kChecked},
        {forms::kChecked, forms::kClear},
        {forms::kGrayed, forms::kChecked},
    };
    Built built(Confighugo::Description());
    for (const auto& [before, after] : cases) {
        built.form.View().SetCheck("Son", before);
        SendMessageW(built.Control("Son"), BM_CLICK, 0, 0);
        EXPECT_EQ(built.form.View().Check("Son"), after) << before;
    }
}

// The colour a tab paints at the foot of its body, as a full picture of it shows.
COLORREF PaintedBody(HWND tabs) {
    RECT client{};
    GetClientRect(tabs, &client);
    RECT body = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    HDC screen = GetDC(tabs);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour = GetPixel(memory, (body.left + body.right) / 2, body.bottom - 2);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(tabs, screen);
    return colour;
}

TEST(Win32Front, WhatStandsOnATabTakesTheColourOfItsBody) {
    Built built(Confighugo::Description());
    HWND label = built.Control("Label1");
    HDC dc = GetDC(label);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(built.Window(), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(label)));
    ReleaseDC(label, dc);
    LOGBRUSH fill{};
    ASSERT_NE(GetObjectW(brush, sizeof fill, &fill), 0);
    EXPECT_EQ(fill.lbColor, PaintedBody(built.Control("SSTab")));
}

bool dialogOpened = false;

LRESULT CALLBACK CancelDialog(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) &&
        std::wstring(name) == L"#32770") {
        dialogOpened = true;
        PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Win32Front, ChoosingAFileOpensTheSystemsDialog) {
    Built built(Pathemulator::Description());
    HHOOK hook = SetWindowsHookExW(WH_CBT, CancelDialog, nullptr, GetCurrentThreadId());
    EXPECT_EQ(built.form.View().ChooseFile(), "");
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(dialogOpened);
}

struct Lists : ::testing::Test {
    TempDir dir{TempDir::ShortNamed{}};
    Built built{Frontend::Description()};
    std::string path = dir.native();

    void SetUp() override {
        dir.MakeDir("Alpha");
        dir.MakeDir("beta");
        for (const char* name : {"Gamma.PCE", "disc.iso", "notes.txt", "galaxy.zip"}) {
            dir.Write(name);
        }
        ASSERT_TRUE(built.form.View().SetPath("Dir", path, nullptr));
        built.form.View().ShowFiles("File", "Dir");
    }
    int Selected(std::string_view list) {
        return static_cast<int>(SendMessageW(built.Control(list), LB_GETCURSEL, 0, 0));
    }
    void Type(std::string_view list, WPARAM key, UINT message = WM_KEYDOWN) {
        SetFocus(built.Control(list));
        if (!built.Key(key)) {
            SendMessageW(built.Control(list), message, key, 0);
        }
    }
};

TEST_F(Lists, FillWithTheDirectorysChainChildrenAndMatchingFiles) {
    const int chain = static_cast<int>(std::count(path.begin(), path.end(), '\\')) + 1;
    EXPECT_EQ(SendMessageW(built.Control("Dir"), LB_GETCOUNT, 0, 0), chain + 2);
    EXPECT_EQ(Selected("Dir"), chain - 1); // the open directory
    EXPECT_EQ(SendMessageW(built.Control("File"), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(built.form.View().FileName("File"), "");
}

TEST_F(Lists, KeysSelectAndTypeAheadFindsTheNextStartingLetter) {
    Type("File", VK_HOME);
    EXPECT_EQ(built.form.View().FileName("File"), "disc.iso");
    Type("File", 'g', WM_CHAR);
    EXPECT_EQ(built.form.View().FileName("File"), "galaxy.zip");
    Type("File", 'G', WM_CHAR);
    EXPECT_EQ(built.form.View().FileName("File"), "Gamma.PCE");
    Type("File", 'x', WM_CHAR);
    EXPECT_EQ(built.form.View().FileName("File"), "Gamma.PCE");
}

TEST_F(Lists, EnterOpensTheHighlightedDirectory) {
    built.form.raised.clear();
    Type("Dir", 'b', WM_CHAR);
    Type("Dir", VK_RETURN);
    EXPECT_EQ(built.form.View().Path("Dir"), path + "\\beta");
    EXPECT_THAT(built.form.raised, ElementsAreArray({"Dir Change"}));
}

// What a screen reader hears: each row, named as shown, a list item.
TEST_F(Lists, AnswerForEveryRowThroughTheAccessibilityInterface) {
    IAccessible* rows = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(built.Control("File"), static_cast<DWORD>(OBJID_CLIENT),
                                         IID_IAccessible, reinterpret_cast<void**>(&rows)),
              S_OK);
    long count = 0;
    rows->get_accChildCount(&count);
    std::vector<std::string> heard;
    for (long row = 1; row <= count; ++row) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = row;
        BSTR name = nullptr;
        VARIANT role{};
        EXPECT_EQ(rows->get_accRole(child, &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
        if (rows->get_accName(child, &name) == S_OK) {
            heard.push_back(win32front::ToCodePage(name));
        }
        SysFreeString(name);
    }
    rows->Release();
    EXPECT_THAT(heard, ElementsAreArray({"disc.iso", "galaxy.zip", "Gamma.PCE"}));
}

// A large directory's first rows show at once, the whole once they have been
// drawn, the file selected meanwhile still selected.
TEST(Win32Front, ALargeDirectoryShowsWholeOnceItsFirstRowsAreDrawn) {
    const TempDir big;
    const int total = static_cast<int>(forms::DirRows::kFirstEntries) + 40;
    big.WriteNumbered("", total);
    Built built{Frontend::Description()};
    ASSERT_TRUE(built.form.View().SetPath("Dir", big.native(), nullptr));
    built.form.View().ShowFiles("File", "Dir");
    HWND files = built.Control("File");
    const LRESULT first = SendMessageW(files, LB_GETCOUNT, 0, 0);
    ASSERT_LT(first, total);
    SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(first / 2),
                 0); // names read later come before it
    const std::string chosen = built.form.View().FileName("File");
    UpdateWindow(built.Control("Dir"));
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageW(&message);
    }
    EXPECT_EQ(SendMessageW(files, LB_GETCOUNT, 0, 0), total);
    EXPECT_EQ(built.form.View().FileName("File"), chosen);
}

} // namespace
