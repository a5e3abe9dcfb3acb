// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/host.h"
#include "platform/services.h"

#include <memory>
#include <span>
#include <string>

class Confighugo;
class Pathemulator;
class Aboutfrontend;

// The main window: the ROM browser, the launch, and the door to the dialogs.
class Frontend final : public forms::FormOf<Frontend>, public forms::MainWindow {
public:
    Frontend(platform::Services services, forms::Host& host);
    ~Frontend() override;

    static const forms::Description& Description();
    static std::span<const forms::Wire<Frontend>> Wiring();

    std::string ShortPath(const std::string& path) const override;
    void reload() override;

    const std::string& emulatorDir() const { return EmulatorDir; }
    // The shared dialogs, made on first use.
    Confighugo* configDialog() const { return configDialog_.get(); }
    Pathemulator* pathDialog() const { return pathDialog_.get(); }
    Aboutfrontend* aboutDialog() const { return aboutDialog_.get(); }

    void Form_Load();
    void Drive_Change();
    void Dir_Change();
    void Go_Click();
    void Setup_Click();
    void Directories_Click();
    void About_Click();
    void Quit_Click();

    void Created() override;
    void ListFailed(std::string_view list, const std::string& path,
                    const std::string& reason) override;

private:
    platform::Services services_;
    forms::Host& host_;
    std::string EmulatorDir;

    std::unique_ptr<Confighugo> configDialog_;
    std::unique_ptr<Pathemulator> pathDialog_;
    std::unique_ptr<Aboutfrontend> aboutDialog_;
};
