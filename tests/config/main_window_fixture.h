// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/frontend.h"
#include "config/hugo_fixture.h"
#include "support/fake_view.h"

// The main window with the emulator's directory set to one of its own, every
// other system effect faked.
struct MainWindowOnIniDir {
    MainWindowOnIniDir() { settings.dir = dir.SystemDir(); }

    IniDir dir;
    FakeSettings settings;
    fakes::Starter starter;
    fakes::Front front;
    forms::Host host{front};
    Frontend main{platform::Services{settings, starter, platform::PathMap::System(),
                                     platform::SystemProfile()},
                  host};
};
