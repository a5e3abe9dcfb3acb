// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"

#include "version.h"

#include <array>

using forms::Kind;

namespace {
// One column of labels beside the button.
constexpr int kWidth = 5800;
constexpr int kMargin = 120;
constexpr int kLine = 300;
constexpr int kColumn = kWidth - forms::kButtonWidth - 3 * kMargin;
} // namespace

const forms::Description& Aboutfrontend::Description() {
    static const forms::Description form{
        .name = "Aboutfrontend",
        .caption = "About the House Vorlanes' Frontend",
        .width = kWidth,
        .height = 1440,
        .border = forms::Border::FixedDialog,
        .position = forms::kDialogPosition,
        .menus = {},
        .controls =
            {
                {"OKButton",
                 Kind::Button,
                 "Close",
                 {kWidth - forms::kButtonWidth - kMargin, kMargin, forms::kButtonWidth,
                  forms::kButtonHeight},
                 0},
                {"Anglish",
                 Kind::Label,
                 "House Vorlanes' Frontend V" VORLANES_VERSION,
                 {kMargin, kMargin, kColumn, kLine},
                 1},
                {"Label1",
                 Kind::Label,
                 "Homepage : " VORLANES_HOMEPAGE,
                 {kMargin, kMargin + 2 * kLine, kColumn, 2 * kLine},
                 2},
                {"Label2",
                 Kind::Label,
                 VORLANES_AUTHOR " - " VORLANES_EMAIL,
                 {kMargin, kMargin + kLine, kColumn, kLine},
                 3},
            },
    };
    return form;
}

std::span<const forms::Wire<Aboutfrontend>> Aboutfrontend::Wiring() {
    static const std::array<forms::Wire<Aboutfrontend>, 1> wiring{{
        {"OKButton", forms::Event::Click, &Aboutfrontend::OKButton_Click},
    }};
    return wiring;
}

void Aboutfrontend::OKButton_Click() {
    view().Close();
}
