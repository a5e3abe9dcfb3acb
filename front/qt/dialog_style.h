// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/description.h"

#include <QIcon>
#include <QRect>

namespace qtfront {

// 15 twips to a device-independent pixel; Qt scales those to the screen.
int Twips(int twips);
QRect Twips(const forms::Rect& rect);

// The program's icon, the same on every window.
QIcon ProgramIcon();

} // namespace qtfront
