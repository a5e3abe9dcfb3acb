// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"
#include "platform/services.h"

#include <span>

// "Path - Emulators": where the user tells the program where the emulator is.
class Pathemulator final : public forms::FormOf<Pathemulator> {
public:
    Pathemulator(platform::Services services, forms::MainWindow& main);

    static const forms::Description& Description();
    static std::span<const forms::Wire<Pathemulator>> Wiring();

    void Form_Load();
    void Browse_Click();
    void OKButton_Click();
    void CancelButton_Click();

private:
    platform::Services services_;
    forms::MainWindow& main_;
};
