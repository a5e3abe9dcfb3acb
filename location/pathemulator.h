// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/dialog_style.h"
#include "app/kept_bytes.h"

#include <string>

class Frontend;
class QLabel;
class QLineEdit;

// "Path - Emulators": where the user tells the program where the emulator is.
class Pathemulator : public VbDialog {
    Q_OBJECT
public:
    explicit Pathemulator(Frontend& main);

    void Form_Load();
    void Browse_Click();
    void OKButton_Click();
    void CancelButton_Click();

private:
    void ShowDir(const std::string& bytes);
    std::string DirBytes() const;

    Frontend& main_;
    KeptBytes dir_;
    QLabel* Label2 = nullptr;
    QLineEdit* Pathhugo = nullptr;
    QPushButton* Browse = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
