// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"
#include "forms/lists.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a window does the same way on every toolkit. A front maps its keys,
// clicks and controls onto these and decides nothing of its own.
namespace forms {

using Redraw = std::function<void()>; // redraws a list whose rows have just changed

// A directory list opens `path`: the rows take it, the list redraws, and the
// list's Change is raised when the path is another one. False with the
// system's reason when it cannot be read: nothing changes then.
bool OpenDir(Form& form, std::string_view list, DirRows& rows, const std::string& path,
             std::string* reason, const Redraw& redraw);
// The user opened a directory list's row (double-click or Enter). A failure
// goes to the form's ListFailed.
void ChooseDir(Form& form, std::string_view list, DirRows& rows, int row, const Redraw& redraw);
// Once a large directory's first rows are on screen (DirRows::Reading): the
// rest is read, the directory list redraws, and `grow` is handed the first
// entries, for each file list showing them to show the whole (FileRows::Grow).
// Change is not raised again: the path is the same.
using Grow = std::function<void(const platform::Listing& was)>;
void ReadRest(DirRows& rows, const Redraw& redraw, const Grow& grow);

// The user chose a drive list's row: Change when it is another drive. When the
// handler could not read it and went back, the drive is taken as unreadable
// until it is chosen again and can be read.
void ChooseDrive(Form& form, std::string_view list, DriveRows& rows, int row);
// The row an arrow key (step 1 down, -1 up) moves a closed drive list to,
// stepping over every drive taken as unreadable; `from` when none is left.
int StepDrive(const DriveRows& rows, int from, int step);

bool TakesFocus(Kind kind);
using Selected = std::function<bool(std::string_view option)>;
// Tab reaches an option group once: at its selected option, else its first.
std::string_view GroupStop(const Description& d, std::string_view option, const Selected& selected);
// The option an arrow key moves to and selects within `option`'s group, round.
std::string_view NextInGroup(const Description& d, std::string_view option, int step);
// The controls Tab visits now, in order: those that take focus and that
// `reachable` allows (shown and enabled), an option group once.
std::vector<std::string_view> TabStops(const Description& d, const Selected& selected,
                                       const std::function<bool(std::string_view)>& reachable);
// Where Tab (or Shift+Tab) goes from `focused` among `stops`; an option stands
// at its group's stop. The first (or last) stop when the focus is on none.
std::string_view NextTabStop(const Description& d, const std::vector<std::string_view>& stops,
                             std::string_view focused, bool back);

// A tab control's tabs, from its caption.
std::vector<std::string_view> TabCaptions(const Control& tabs);
// A label whose caption ends in an address: the address opens by mouse only,
// for a label is no Tab stop and Enter must not open a browser from a focus
// nobody sees.
struct Link {
    std::string_view before; // the text ahead of the address
    std::string_view address;
};
std::optional<Link> LinkIn(std::string_view caption);

// A screen's work area in pixels, right and bottom excluded.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// A window of a size at `place`, moved only as far as it takes to be whole
// within the work area (its top left kept in sight when it cannot be).
Point KeepWithin(Point place, int width, int height, const Area& area);

// A text box's text: the bytes the handlers put in come back byte for byte
// while the box shows them unedited, whatever the box made of them; once
// edited, the box stands for what it shows, in the code page. `Shown` is the
// toolkit's text.
template <class Shown> class KeptText {
public:
    const Shown& Keep(std::string bytes, Shown shown) {
        bytes_ = std::move(bytes);
        shown_ = std::move(shown);
        return shown_;
    }
    // What the box stands for while it shows `now`; `edited` gives the bytes
    // of an edited text.
    template <class Edited> std::string Bytes(const Shown& now, const Edited& edited) const {
        return now == shown_ ? bytes_ : edited(now);
    }

private:
    std::string bytes_;
    Shown shown_{};
};

// A message as a message box shows it: at most a screen high, and never
// broken inside a name, its lines broken at blanks to a width every box
// shows whole. A word (a path, a command line's part) longer than a line is
// cut in its middle, where "..." stands for what is left out; past the lines
// a box can show, the middle lines go the same way.
std::string FitMessage(const std::string& text);

} // namespace forms
