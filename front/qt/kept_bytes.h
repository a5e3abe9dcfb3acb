// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/rules.h"

#include <QString>

#include <string>

namespace qtfront {

// A text box's bytes as Qt shows them: in our code page, or in Latin-1 when
// they came in another one.
class KeptBytes {
public:
    // The text to show for `bytes`.
    QString Show(const std::string& bytes);
    // What the box's `text` stands for now.
    std::string Bytes(const QString& text) const;

private:
    forms::KeptText<QString> kept_;
    bool latin1_ = false;
};

} // namespace qtfront
