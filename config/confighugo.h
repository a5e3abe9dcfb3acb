// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/dialog_style.h"
#include "app/kept_bytes.h"
#include "config/hugo_ini.h"

#include <array>
#include <memory>
#include <string>

class Frontend;
class Tolv_CIni;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

// "Setup Hu-Go!": shows the emulator's settings from "Hu-go!.ini" on two tabs;
// OK writes them back, Annuler and the close box write nothing.
class Confighugo : public VbDialog {
    Q_OBJECT
public:
    explicit Confighugo(Frontend& main);
    ~Confighugo() override;

    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    void Browse_Click();

    void graph1_Click();
    void graph2_Click();
    void graph3_Click();
    void graph4_Click();
    void graph5_Click();
    void langue1_Click();
    void langue2_Click();
    void langue3_Click();
    void langue4_Click();
    void langue5_Click();
    void langue6_Click();
    void langue7_Click();
    void langue8_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();

private:
    template <std::size_t N>
    static void SelectInGroup(const std::array<QRadioButton*, N>& group, std::size_t chosen);
    template <std::size_t N>
    static std::optional<int> SelectedIn(const std::array<QRadioButton*, N>& group);
    static void ShowSwitch(QCheckBox* box, int state);
    static int SwitchState(const QCheckBox* box);

    void ShowSettings(const hugo::Settings& settings);
    hugo::Settings ShownSettings() const;
    void ShowRomDir(const std::string& bytes);
    std::string RomDirBytes() const;

    Frontend& main_;
    std::unique_ptr<Tolv_CIni> ini_;

    QTabWidget* SSTab = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Rom_Dir = nullptr;
    QPushButton* Browse = nullptr;
    QCheckBox* Modeeagle = nullptr;
    QCheckBox* Exactdraw = nullptr;
    QCheckBox* Son = nullptr;
    QCheckBox* Staticrefresh = nullptr;
    QGroupBox* Modegraphique = nullptr;
    QGroupBox* Langue = nullptr;
    std::array<QRadioButton*, 5> graph{};
    std::array<QRadioButton*, 8> langue{};
    std::array<QRadioButton*, 4> Option{};

    // The ROM directory as it came from the file (or the file dialog).
    KeptBytes romDir_;
    // The value loaded has the longest length a read gives back, so the file may
    // hold more: OK must not write the shown part over it.
    bool romDirMayBeCut_ = false;
};
