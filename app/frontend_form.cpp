// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"

using forms::Kind;

// Two one-tab tab controls, one inside the other; the lists and buttons on
// the inner one.
const forms::Description& Frontend::Description() {
    static const forms::Description form{
        .name = "Frontend",
        .caption = "House Vorlanes' Frontend",
        .width = 6465,
        .height = 5115,
        .border = forms::Border::Sizable,
        .position = std::nullopt,
        .menus = {{"Files", "Files", "Quit", "Quit"},
                  {"Options", "Options", "Directories", "Directories"},
                  {"help", "?", "About", "About"}},
        .controls =
            {
                {"SSTab1", Kind::Tabs, "PC Engine", {0, 0, 6465, 5115}, 0},
                {"SSTab2", Kind::Tabs, "Hu-Go!", {60, 375, 6345, 4680}, 1, "SSTab1"},
                {"Drive", Kind::DriveList, "", {120, 480, 6105, 315}, 2, "SSTab2"},
                {"Dir", Kind::DirList, "", {120, 900, 3000, 3105}, 3, "SSTab2"},
                {"File",
                 Kind::FileList,
                 "",
                 {3225, 900, 3000, 3105},
                 4,
                 "SSTab2",
                 0,
                 {},
                 "*.pce;*.zip;*.iso"},
                {"Go", Kind::Button, "Go", {5010, 4140, 1215, 375}, 5, "SSTab2"},
                {"Setup", Kind::Button, "Setup", {120, 4140, 1215, 375}, 6, "SSTab2"},
            },
    };
    return form;
}
