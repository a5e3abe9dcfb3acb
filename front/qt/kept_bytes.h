// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QString>

#include <string>

namespace qtfront {

// A text shown in a text box, with the bytes it came from: text nobody edited
// goes back byte for byte, whatever code page it came in.
class KeptBytes {
public:
    // The text to show for `bytes`.
    QString Show(const std::string& bytes);
    // What the box's `text` stands for now.
    std::string Bytes(const QString& text) const;

private:
    std::string bytes_;
    QString shown_;
    bool latin1_ = false;
};

} // namespace qtfront
