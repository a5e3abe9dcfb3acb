// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A window as data: what each front builds, and what the handlers reach by name.
namespace forms {

enum class Kind {
    Button,
    Label,
    TextBox,
    CheckBox,
    Option,
    Frame, // a group box; its options are one group
    Tabs,  // a tab control; its caption holds the tabs' captions separated by "|"
    DriveList,
    DirList,
    FileList,
};

enum class Border {
    Sizable,     // minimise and maximise, in the task bar
    FixedDialog, // close box only, out of the task bar
};

// Positions and sizes in twips: 1440 to a logical inch.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view caption;
    Rect rect;                       // within its container, a tab control's row of tabs included
    int tabIndex = -1;               // -1: never focused by Tab
    std::string_view container = {}; // a Frame or Tabs control; empty: the form
    int page = 0;                    // the tab it stands on, in a Tabs container
    std::string_view toolTip = {};
    std::string_view pattern = {}; // a file list's masks, separated by ";"
    int value = 0;                 // before load: an option's selection (1), a check box's state
};

struct MenuItem {
    std::string_view menu; // the menu's name
    std::string_view menuCaption;
    std::string_view name; // the item's name, raised as its Click
    std::string_view caption;
};

struct Point {
    int x = 0;
    int y = 0;
};

struct Description {
    std::string_view name;
    std::string_view caption;
    int width = 0; // client area, twips
    int height = 0;
    Border border = Border::FixedDialog;
    std::optional<Point> position; // the client area's top left on the screen
    std::vector<MenuItem> menus;
    std::vector<Control> controls; // containers before what they hold

    const Control* Find(std::string_view control) const;
    // The names that Tab visits, in order.
    std::vector<std::string_view> TabOrder() const;
    // The options that are one group with `option`, in order (itself included).
    std::vector<std::string_view> GroupOf(std::string_view option) const;
};

// Where every dialog opens: its client area's top left, in twips.
inline constexpr Point kDialogPosition{2760, 3750};
// OK, Annuler and Close: the same size in every dialog.
inline constexpr int kButtonWidth = 1215;
inline constexpr int kButtonHeight = 375;

// Check states as stored and shown.
inline constexpr int kClear = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;
// What the user's click makes of a check box: only a stored "2" shows grayed,
// a click always gives clear or checked.
inline int Clicked(int state) {
    return state == kChecked ? kClear : kChecked;
}

} // namespace forms
