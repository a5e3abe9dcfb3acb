// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace win32front {

// The whole name of a list row drawn cut, laid over the row while the mouse
// rests on it, as the system's own lists do.
class RowTip {
public:
    // What the tip shows for a row of a list: the row's text and where it
    // starts within the row, or an empty text when the row is drawn whole.
    struct Shown {
        std::wstring text;
        int left = 0;
    };
    using Lookup = std::function<Shown(HWND list, int row)>;

    RowTip() = default;
    ~RowTip();
    RowTip(const RowTip&) = delete;
    RowTip& operator=(const RowTip&) = delete;

    // The tip window itself is made when a tip is first shown: made with the
    // window, it held every start back by some 4 ms for a tip few ever see.
    void Create(HWND window, HFONT font, Lookup lookup);
    // Follows the mouse over a list: `message` is one of the list's own.
    void Mouse(const MSG& message);
    void Hide();

private:
    void Show(HWND list, POINT at);
    void Make();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HWND tip_ = nullptr;
    Lookup lookup_;
    HWND list_ = nullptr; // the list and row the tip stands on
    int row_ = -1;
    std::wstring text_;
};

} // namespace win32front
