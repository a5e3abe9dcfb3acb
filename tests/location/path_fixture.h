// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/frontend.h"
#include "location/pathemulator.h"
#include "support/fake_view.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

// "Path - Emulators" opened from the main window.
class PathemulatorTest : public ::testing::Test {
protected:
    PathemulatorTest() { program.host.Show(main); }
    fakes::View& Open() {
        main.Directories_Click();
        return program.front.Of(*main.pathDialog());
    }
    bool IsOpen() const { return main.pathDialog() && main.pathDialog()->Loaded(); }
    void Store(const std::string& value) {
        program.system.settings.values[{"Vorlanes", "HuGo", "Path"}] = value;
    }
    std::string Stored() { return program.system.settings.Path(); }
    // Types into the box and presses OK.
    void Ok(fakes::View& dialog, const std::string& typed) {
        dialog.SetText("Pathhugo", typed);
        dialog.Click("OKButton");
    }

    fakes::Program program;
    Frontend main{program.services(), program.host};
};
