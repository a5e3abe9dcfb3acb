// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The rules every front maps onto its toolkit, once.
#include "config/confighugo.h"
#include "forms/rules.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const forms::Description kNone = [] {
    forms::Description d;
    d.name = "None";
    return d;
}();

// A main window whose drive handler goes back from a drive it cannot read,
// as the real one does.
struct Drives final : forms::Form {
    forms::DriveRows rows{
        {{'C', "", ""}, {'D', "", ""}, {'E', "", ""}, {'F', "", ""}, {'G', "", ""}}};
    std::set<char> dead;
    std::string tried;
    Drives() : Form(kNone) {}
    void Raise(std::string_view, forms::Event) override {
        tried += rows.Drive();
        if (dead.count(rows.Drive())) {
            rows.Show('D');
        }
    }
    void Step(int step) {
        const int from = rows.RowOf(rows.Drive());
        const int row = forms::StepDrive(rows, from, step);
        if (row != from) {
            forms::ChooseDrive(*this, "Drive", rows, row);
        }
    }
};

TEST(Rules, ArrowsStepOverEveryDriveThatCouldNotBeRead) {
    Drives form;
    form.dead = {'E', 'F'};
    form.rows.Show('D');
    for (int i = 0; i < 3; ++i) {
        form.Step(1);
    }
    EXPECT_EQ(form.tried, "EFG") << "each dead drive is tried once, then stepped over";
    form.Step(-1);
    EXPECT_EQ(form.rows.Drive(), 'D');
    form.dead.clear();
    forms::ChooseDrive(form, "Drive", form.rows, form.rows.RowOf('E'));
    EXPECT_TRUE(form.rows.Readable('E')) << "a drive read at last is stepped on again";
}

struct Dirs final : forms::Form {
    std::vector<std::string> events;
    Dirs() : Form(kNone) {}
    void Raise(std::string_view list, forms::Event) override {
        events.push_back(std::string(list) + " Change");
    }
    void ListFailed(std::string_view, const std::string& path, const std::string&) override {
        events.push_back("failed " + path);
    }
};

TEST(Rules, ChoosingADirectoryRaisesChangeOnlyForAnotherOneAndReportsAFailure) {
    TempDir tmp;
    tmp.MakeDir("roms/gone");
    const std::string roms = platform::PathMap::System().ToSystem((tmp.path() / "roms").string());
    Dirs form;
    forms::DirRows rows;
    int redrawn = 0;
    const forms::Redraw redraw = [&redrawn] { ++redrawn; };
    ASSERT_TRUE(forms::OpenDir(form, "Dir", rows, roms, nullptr, redraw));
    forms::ChooseDir(form, "Dir", rows, rows.OpenRow(), redraw);
    std::filesystem::remove(tmp.path() / "roms/gone");
    forms::ChooseDir(form, "Dir", rows, rows.OpenRow() + 1, redraw);
    EXPECT_THAT(form.events, ElementsAre("Dir Change", "failed " + roms + "\\gone"));
    EXPECT_EQ(redrawn, 1);
    EXPECT_EQ(rows.Path(), roms);
}

TEST(Rules, AnOptionGroupIsOneTabStopAndArrowsGoRoundIt) {
    const forms::Description& d = Confighugo::Description();
    const auto none = [](std::string_view) { return false; };
    const auto third = [](std::string_view o) { return o == "graph3"; };
    const auto firstPage = [&d](std::string_view name) { return d.Find(name)->page == 0; };
    EXPECT_THAT(
        forms::TabStops(d, none, firstPage),
        ElementsAreArray({"OKButton", "CancelButton", "SSTab", "Rom_Dir", "graph1", "langue1",
                          "Modeeagle", "Exactdraw", "Son", "Staticrefresh", "Browse"}));
    EXPECT_EQ(forms::GroupStop(d, "graph1", third), "graph3");
    const struct {
        std::string_view from;
        int step;
        std::string_view to;
    } arrows[] = {{"graph1", 1, "graph2"},
                  {"graph1", -1, "graph5"},
                  {"graph5", 1, "graph1"},
                  {"Option1", -1, "Option4"},
                  {"Modeeagle", 1, "Modeeagle"}};
    for (const auto& a : arrows) {
        EXPECT_EQ(forms::NextInGroup(d, a.from, a.step), a.to) << a.from << " " << a.step;
    }
    const std::vector<std::string_view> stops = {"Rom_Dir", "graph3", "langue1", "Modeeagle"};
    EXPECT_EQ(forms::NextTabStop(d, stops, "graph5", false), "langue1");
    EXPECT_EQ(forms::NextTabStop(d, stops, "graph5", true), "Rom_Dir");
    EXPECT_EQ(forms::NextTabStop(d, stops, "Label1", true), "Modeeagle");
}

TEST(Rules, CaptionsAndPlaces) {
    const forms::Control tabs{"T", forms::Kind::Tabs, "Setup|Control", {}};
    EXPECT_THAT(forms::TabCaptions(tabs), ElementsAre("Setup", "Control"));
    const auto link = forms::LinkIn("Home page: https://example.org/x");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->before, "Home page: ");
    EXPECT_EQ(link->address, "https://example.org/x");
    EXPECT_FALSE(forms::LinkIn("No address"));

    const forms::Area area{0, 0, 800, 600};
    const struct {
        forms::Point place;
        int width, height;
        forms::Point kept;
    } cases[] = {
        {{184, 250}, 300, 200, {184, 250}}, // fits: stays
        {{700, 500}, 300, 200, {500, 400}}, // moved back in
        {{184, 250}, 900, 700, {0, 0}},     // larger than the screen: its corner in sight
    };
    for (const auto& c : cases) {
        const forms::Point kept = forms::KeepWithin(c.place, c.width, c.height, area);
        EXPECT_EQ(kept.x, c.kept.x);
        EXPECT_EQ(kept.y, c.kept.y);
    }
}

TEST(Rules, AMessageFitsAScreenBrokenAtBlanksWithLongWordsCutInTheirMiddle) {
    const std::string path = "C:\\" + std::string(36000, 'a') + "\\Hu-go!.ini";
    std::string many;
    for (int line = 0; line < 100; ++line) {
        many += "line " + std::to_string(line) + "\n";
    }
    const struct {
        std::string text;
        std::string fitted;
    } cases[] = {
        {"Drive e: cannot be read.\n\nFile not found.",
         "Drive e: cannot be read.\n\nFile not found."},
        {"Not started.\n\n" + path + " -c2", "Not started.\n\nC:\\" + std::string(21, 'a') + "..." +
                                                 std::string(10, 'a') + "\\Hu-go!.ini\n-c2"},
        // Broken at a blank before a line grows too long for a box, which
        // would break it anywhere.
        {"The emulator could not be started: H:\\Emulators\\Hu-Go\\hu-go!.exe "
         "H:\\Games\\\\Bonk.pce",
         "The emulator could not be started:\nH:\\Emulators\\Hu-Go\\hu-go!.exe "
         "H:\\Games\\\\Bonk.pce"},
        {"\xC3\xA9" + std::string(100, 'x'),
         "\xC3\xA9" + std::string(22, 'x') + "..." + std::string(21, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::FitMessage(c.text), c.fitted);
    }
    const std::string fitted = forms::FitMessage(many);
    EXPECT_EQ(std::count(fitted.begin(), fitted.end(), '\n'), 29);
    EXPECT_EQ(fitted.substr(0, 7), "line 0\n");
    EXPECT_NE(fitted.find("\n...\n"), std::string::npos);
}

// A text box shows its bytes in a toolkit's text that cannot spell them all
// (here "?"); unedited, the bytes come back whole, edited, what it shows.
TEST(Rules, ATextBoxGivesBackItsBytesUntilEdited) {
    forms::KeptText<std::string> box;
    ASSERT_EQ(box.Keep("C:\\\xC9mul\\", "C:\\?mul\\"), "C:\\?mul\\");
    const auto asShown = [](const std::string& edited) { return edited; };
    EXPECT_EQ(box.Bytes("C:\\?mul\\", asShown), "C:\\\xC9mul\\");
    EXPECT_EQ(box.Bytes("C:\\?mul\\Roms", asShown), "C:\\?mul\\Roms");
}

} // namespace
