// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "config/confighugo.h"
#include "config/main_window_fixture.h"

#include <gtest/gtest.h>
#include <sstream>

// "Setup Hu-Go!" opened from the main window on a "Hu-go!.ini" of the test's own.
class Setup : public ::testing::Test, protected MainWindowOnIniDir {
protected:
    // "Setup" on a "Hu-go!.ini" holding `ini`, or on none at all.
    void Open(const char* ini) {
        if (dialog() && dialog()->Loaded()) {
            view().Click("CancelButton");
        }
        std::filesystem::remove(dir.File());
        if (ini != nullptr) {
            dir.Write(ini);
        }
        main.Setup_Click();
    }
    Confighugo* dialog() { return main.configDialog(); }
    fakes::View& view() { return front.Of(*dialog()); }
    // The user's steps: "Name=text" types into a box, "Setup" is the main
    // window's button; any other name is clicked.
    void Do(const std::string& steps) {
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            if (const std::size_t eq = step.find('='); eq != std::string::npos) {
                view().SetText(step.substr(0, eq), step.substr(eq + 1));
            } else if (step == "Setup") {
                main.Setup_Click();
            } else {
                view().Click(step);
            }
        }
    }
    // The selected options, the ROM directory and the switches Mode Eagle, Exact
    // Draw, Sound and Static Refresh ("-" clear, "?" grayed, "x" checked).
    std::string Shown() {
        std::string shown;
        for (const auto& [name, state] : view().state) {
            const forms::Control* c = dialog()->description().Find(name);
            if (c->kind == forms::Kind::Option && state != 0) {
                shown += name + " ";
            }
        }
        shown += "[" + view().Text("Rom_Dir") + "] ";
        for (const char* box : {"Modeeagle", "Exactdraw", "Son", "Staticrefresh"}) {
            shown += "-x?"[view().Check(box)];
        }
        return shown;
    }
};
