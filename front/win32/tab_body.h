// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

#include <map>

namespace win32front {

// The brushes in the colours of tab controls' bodies: a themed tab paints its
// body in a colour of its own, which what stands on it must take as its
// background.
class TabBodies {
public:
    TabBodies() = default;
    ~TabBodies();
    TabBodies(const TabBodies&) = delete;
    TabBodies& operator=(const TabBodies&) = delete;

    HBRUSH Of(HWND tabs);

private:
    std::map<HWND, HBRUSH> brushes_;
};

} // namespace win32front
