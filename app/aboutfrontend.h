// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"

#include <span>

// The about box: name and version, the credit line and the homepage. It has
// no load handler; every opening shows the texts fixed at build time.
class Aboutfrontend final : public forms::FormOf<Aboutfrontend> {
public:
    Aboutfrontend() : FormOf(Description()) {}

    static const forms::Description& Description();
    static std::span<const forms::Wire<Aboutfrontend>> Wiring();

    void OKButton_Click();
};
