// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/services.h"

#include <QMainWindow>
#include <QPointer>
#include <string>

class QPushButton;
class QTabWidget;
class QAction;
class Confighugo;
class Pathemulator;
class Aboutfrontend;
namespace platform {
class DriveList;
class DirList;
class FileList;
} // namespace platform

// The main window: the ROM browser, the launch, and the door to the dialogs.
class Frontend : public QMainWindow {
    Q_OBJECT
public:
    explicit Frontend(platform::Services services);
    ~Frontend() override;

    // The short path of a directory path ending in "\"; uses no window state.
    static std::string ShortPath(const std::string& path);
    // Reads the stored emulator directory into EmulatorDir again.
    void reload();

    const std::string& emulatorDir() const { return EmulatorDir; }
    platform::Services& services() { return services_; }

    // The shared dialog instances, null while not loaded.
    Confighugo* configDialog() const;
    Pathemulator* pathDialog() const;
    Aboutfrontend* aboutDialog() const;

    void Form_Load();
    void Drive_Change();
    void Dir_Change();
    void Go_Click();
    void Setup_Click();
    void Directories_Click();
    void About_Click();
    void Quit_Click();

private:
    template <class Dialog> void ShowShared(QPointer<Dialog>& slot);
    void TellUnreadable(const std::string& path, const std::string& reason);

    platform::Services services_;
    std::string EmulatorDir;

    QTabWidget* SSTab1 = nullptr;
    QTabWidget* SSTab2 = nullptr;
    platform::DriveList* Drive = nullptr;
    platform::DirList* Dir = nullptr;
    platform::FileList* File = nullptr;
    QPushButton* Go = nullptr;
    QPushButton* Setup = nullptr;

    QPointer<Confighugo> configDialog_;
    QPointer<Pathemulator> pathDialog_;
    QPointer<Aboutfrontend> aboutDialog_;
};
