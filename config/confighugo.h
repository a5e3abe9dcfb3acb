// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "config/hugo_ini.h"
#include "forms/form.h"
#include "platform/services.h"

#include <memory>
#include <span>
#include <string>

class Tolv_CIni;

// "Setup Hu-Go!": shows the emulator's settings from "Hu-go!.ini" on two tabs;
// OK writes them back, Annuler and the close box write nothing.
class Confighugo final : public forms::FormOf<Confighugo> {
public:
    Confighugo(platform::Services services, forms::MainWindow& main);
    ~Confighugo() override;

    static const forms::Description& Description();
    static std::span<const forms::Wire<Confighugo>> Wiring();

    const Tolv_CIni* ini() const { return ini_.get(); }

    void Form_Load();
    void Shown() override;
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
    // The handler of the option at `position` in a group: its own option on,
    // every other one of the group off, first to last.
    void Select(hugo::Field group, int position);
    void ShowSettings(const hugo::Settings& settings);
    hugo::Settings ShownSettings();

    platform::Services services_;
    forms::MainWindow& main_;
    std::unique_ptr<Tolv_CIni> ini_;
    // What the load showed, whether the file could not be read, the file by its
    // whole name, and what to tell once the dialog is on screen.
    hugo::Settings loaded_;
    bool unread_ = false;
    std::string file_;
    std::string toTell_;
    // The ROM directory as loaded has the longest length a read gives back, so
    // the file may hold more, and OK must not write the shown part over it.
    bool romDirMayBeCut_ = false;
};
