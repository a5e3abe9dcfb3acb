// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"
#include "app/frontend.h"
#include "config/confighugo.h"
#include "location/pathemulator.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string Joined(const std::vector<std::string_view>& names) {
    std::string joined;
    for (const std::string_view name : names) {
        joined += (joined.empty() ? "" : " ") + std::string(name);
    }
    return joined;
}

TEST(Descriptions, EachWindowAsDesigned) {
    const struct {
        const forms::Description& form;
        const char* caption;
        int width, height;
        const char* tabOrder;
    } cases[] = {
        {Frontend::Description(), "House Vorlanes' Frontend", 6465, 5115,
         "SSTab1 SSTab2 Drive Dir File Go Setup"},
        {Pathemulator::Description(), "Path - Emulators", 5775, 1065,
         "OKButton CancelButton Pathhugo Label2 Browse"},
        {Confighugo::Description(), "Setup Hu-Go!", 9435, 4890,
         "OKButton CancelButton SSTab Modegraphique Label1 Rom_Dir graph1 graph2 graph3 graph4 "
         "graph5 Langue langue1 langue2 langue3 langue4 langue5 langue6 langue7 langue8 Modeeagle "
         "Exactdraw Son Staticrefresh Option1 Option2 Option3 Option4 Browse"},
        {Aboutfrontend::Description(), "About the House Vorlanes' Frontend", 5800, 1440,
         "OKButton Anglish Label1 Label2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(c.form.caption, c.caption);
        EXPECT_EQ(c.form.width, c.width);
        EXPECT_EQ(c.form.height, c.height);
        EXPECT_EQ(Joined(c.form.TabOrder()), c.tabOrder);
        const bool main = &c.form == &Frontend::Description();
        EXPECT_EQ(c.form.border, main ? forms::Border::Sizable : forms::Border::FixedDialog);
        EXPECT_EQ(c.form.position.has_value(), !main);
        for (const char* button : {"OKButton", "CancelButton"}) {
            if (const forms::Control* b = c.form.Find(button); b != nullptr && !main) {
                EXPECT_EQ(b->rect.width, 1215);
                EXPECT_EQ(b->rect.height, 375);
            }
        }
    }
}

TEST(Descriptions, ControlsAsTheDialogsGiveThem) {
    const struct {
        const forms::Description& form;
        const char* name;
        const char* caption;
        forms::Rect rect; // width 0: not fixed
    } cases[] = {
        {Pathemulator::Description(), "Label2", "HuGo!", {120, 360, 975, 255}},
        {Pathemulator::Description(), "Pathhugo", "", {1200, 360, 2295, 285}},
        {Pathemulator::Description(), "Browse", "...", {3600, 360, 255, 255}},
        {Pathemulator::Description(), "OKButton", "OK", {4440, 120, 1215, 375}},
        {Pathemulator::Description(), "CancelButton", "Annuler", {4440, 600, 1215, 375}},
        {Confighugo::Description(), "Rom_Dir", "Text1", {}},
        {Confighugo::Description(), "graph5", "320*200", {}},
        {Confighugo::Description(), "langue2", "Francais", {}},
        {Confighugo::Description(), "Option2", "1 player - Pad", {}},
        {Confighugo::Description(), "SSTab", "Setup|Control", {}},
        {Aboutfrontend::Description(), "OKButton", "Close", {}},
        {Frontend::Description(), "SSTab2", "Hu-Go!", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const forms::Control* control = c.form.Find(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->caption, c.caption);
        if (c.rect.width != 0) {
            EXPECT_EQ(control->rect, c.rect);
        }
    }
    const forms::Description& setup = Confighugo::Description();
    EXPECT_EQ(setup.Find("Exactdraw")->toolTip,
              "Fonction plus lente mais plus précise d'affichage des sprites");
    EXPECT_EQ(Joined(setup.GroupOf("langue3")),
              "langue1 langue2 langue3 langue4 langue5 langue6 langue7 langue8");
    EXPECT_EQ(Joined(setup.GroupOf("Option1")), "Option1 Option2 Option3 Option4");
    EXPECT_EQ(setup.Find("graph1")->value, 1) << "the first video mode before load";
    EXPECT_EQ(Frontend::Description().Find("File")->pattern, "*.pce;*.zip;*.iso");
}

} // namespace
