// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"
#include "front/win32/win32_front.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32front::Win32Front front(instance);
    forms::Host host(front);
    Frontend window(platform::SystemServices(), host);
    host.Show(window);
    return front.Run();
}
