// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/host.h"

#include <QPointer>
#include <QWidget>
#include <map>

namespace qtfront {

// The windows as Qt widgets, built from their descriptions: each control a
// widget named as its control, placed in twips.
class QtFront final : public forms::Front {
public:
    QtFront();
    void Build(forms::Form& form, forms::Host& host) override;
    void Show(forms::Form& form) override;
    void Quit() override;

    // The window of a loaded form, null when it has none.
    QWidget* Window(const forms::Form& form) const;

private:
    std::map<const forms::Form*, QPointer<QWidget>> windows_;
};

} // namespace qtfront
