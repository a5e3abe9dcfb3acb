// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/dialog_style.h"

class QLabel;
class Frontend;

// The about box: name and version, the credit line and the homepage. It has
// no load handler; every opening shows the texts fixed at build time.
class Aboutfrontend : public VbDialog {
    Q_OBJECT
public:
    explicit Aboutfrontend(Frontend& main);

    void OKButton_Click();

private:
    QPushButton* OKButton = nullptr;
    QLabel* Anglish = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
