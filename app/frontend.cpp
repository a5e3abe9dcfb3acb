// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"

#include "app/aboutfrontend.h"
#include "app/dialog_style.h"
#include "app/launch.h"
#include "app/shortpath.h"
#include "config/confighugo.h"
#include "location/emulator_location.h"
#include "location/pathemulator.h"
#include "platform/files/paths.h"
#include "platform/widgets/dir_list.h"
#include "platform/widgets/drive_list.h"
#include "platform/widgets/file_list.h"
#include "platform/widgets/menu_keys.h"
#include "platform/widgets/message_box.h"

#include <QGridLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* kImagePattern = "*.pce;*.zip;*.iso";

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text);
}
} // namespace

Frontend::Frontend(platform::Services services) : services_(services) {
    setObjectName(QStringLiteral("Frontend"));
    setWindowTitle(QStringLiteral("House Vorlanes' Frontend"));
    setWindowIcon(ProgramIcon());

    auto* client = new QWidget(this);
    setCentralWidget(client);

    SSTab1 = new QTabWidget(client);
    NameControl(SSTab1, "SSTab1", QStringLiteral("PC Engine"));
    PlaceTwips(SSTab1, 0, 0, 6465, 5115);
    auto* pcEngine = new QWidget;
    SSTab1->addTab(pcEngine, QStringLiteral("PC Engine"));

    SSTab2 = new QTabWidget(pcEngine);
    NameControl(SSTab2, "SSTab2", QStringLiteral("Hu-Go!"));
    auto* pcEngineLayout = new QVBoxLayout(pcEngine);
    pcEngineLayout->setContentsMargins(4, 4, 4, 4);
    pcEngineLayout->addWidget(SSTab2);
    auto* huGo = new QWidget;
    SSTab2->addTab(huGo, QStringLiteral("Hu-Go!"));

    Drive = new platform::DriveList(huGo);
    NameControl(Drive, "Drive", QStringLiteral("Drive"));
    Dir = new platform::DirList(huGo);
    NameControl(Dir, "Dir", QStringLiteral("Directory"));
    File = new platform::FileList(huGo);
    NameControl(File, "File", QStringLiteral("Game images"));
    File->SetPattern(kImagePattern);
    Go = new QPushButton(QStringLiteral("Go"), huGo);
    NameControl(Go, "Go", QStringLiteral("Go"));
    Setup = new QPushButton(QStringLiteral("Setup"), huGo);
    NameControl(Setup, "Setup", QStringLiteral("Setup"));
    // Enter presses the focused button here too, as in the dialogs.
    VbDialog::MakeEnterPresses(Go);
    VbDialog::MakeEnterPresses(Setup);

    auto* grid = new QGridLayout(huGo);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->addWidget(Drive, 0, 0, 1, 2);
    grid->addWidget(Dir, 1, 0);
    grid->addWidget(File, 1, 1);
    grid->addWidget(Setup, 2, 0, Qt::AlignLeft);
    grid->addWidget(Go, 2, 1, Qt::AlignRight);
    Go->setFixedSize(Twips(1215), Twips(375));
    Setup->setFixedSize(Twips(1215), Twips(375));

    setTabOrder(SSTab1, SSTab2);
    setTabOrder(SSTab2, Drive);
    setTabOrder(Drive, Dir);
    setTabOrder(Dir, File);
    setTabOrder(File, Go);
    setTabOrder(Go, Setup);

    QMenu* files = menuBar()->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("Files"));
    QAction* quit = files->addAction(QStringLiteral("Quit"));
    quit->setObjectName(QStringLiteral("Quit"));
    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options"));
    QAction* directories = options->addAction(QStringLiteral("Directories"));
    directories->setObjectName(QStringLiteral("Directories"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("help"));
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About"));

    platform::ReachMenuBarByKeyboard(menuBar());

    connect(quit, &QAction::triggered, this, &Frontend::Quit_Click);
    connect(directories, &QAction::triggered, this, &Frontend::Directories_Click);
    connect(about, &QAction::triggered, this, &Frontend::About_Click);
    connect(Go, &QPushButton::clicked, this, &Frontend::Go_Click);
    connect(Setup, &QPushButton::clicked, this, &Frontend::Setup_Click);
    connect(Drive, &platform::DriveList::Change, this, &Frontend::Drive_Change);
    connect(Dir, &platform::DirList::Change, this, &Frontend::Dir_Change);
    connect(Dir, &platform::DirList::ReadFailed, this, &Frontend::TellUnreadable);

    // The lists start where the process stands, as the system's own lists do.
    const std::string start = platform::PathMap::System().CurrentDirectory();
    Drive->SetDrive(platform::DriveLetterOf(start));
    std::string reason;
    if (!Dir->SetPath(start, &reason)) { // e.g. deleted, or not ours to read
        TellUnreadable(start, reason);
        Dir->SetPath(std::string(1, Drive->Drive()) + ":\\");
    }

    // The client area is fixed; the menu bar comes on top of it.
    client->setMinimumSize(Twips(6465), Twips(5115));
    resize(Twips(6465), Twips(5115) + menuBar()->sizeHint().height());
    client->setMinimumSize(0, 0);

    Form_Load();
}

Frontend::~Frontend() {
    delete configDialog_.data();
    delete pathDialog_.data();
    delete aboutDialog_.data();
}

Confighugo* Frontend::configDialog() const {
    return configDialog_;
}
Pathemulator* Frontend::pathDialog() const {
    return pathDialog_;
}
Aboutfrontend* Frontend::aboutDialog() const {
    return aboutDialog_;
}

std::string Frontend::ShortPath(const std::string& path) {
    return ::ShortPath(path);
}

void Frontend::reload() {
    Form_Load();
}

void Frontend::Form_Load() {
    EmulatorDir = location::ReadEmulatorDir(services_.settings);
}

void Frontend::Drive_Change() {
    const char letter = Drive->Drive();
    std::string reason;
    if (!Dir->SetPath(platform::PathMap::System().DriveCurrentDirectory(letter), &reason)) {
        Drive->SetDrive(platform::DriveLetterOf(Dir->Path()));
        platform::ShowMessage(this, windowTitle(),
                              QStringLiteral("Drive %1: cannot be read.\n\n%2")
                                  .arg(QChar::fromLatin1(letter).toLower(), Local(reason)));
    }
}

void Frontend::Dir_Change() {
    File->Show(Dir->Path(), Dir->Contents()); // read once, as it was opened
}

void Frontend::TellUnreadable(const std::string& path, const std::string& reason) {
    platform::ShowMessage(
        this, windowTitle(),
        QStringLiteral("The directory %1 cannot be read.\n\n%2").arg(Local(path), Local(reason)));
}

void Frontend::Go_Click() {
    const std::string commandLine = LaunchCommandLine(EmulatorDir, Dir->Path(), File->FileName());
    if (commandLine.empty()) {
        return;
    }
    const platform::StartResult started = services_.starter.Start(commandLine);
    if (!started.ok) {
        platform::ShowMessage(this, windowTitle(),
                              QStringLiteral("The emulator could not be started.\n\n%1\n\n%2")
                                  .arg(Local(commandLine), Local(started.reason)));
    }
}

template <class Dialog> void Frontend::ShowShared(QPointer<Dialog>& slot) {
    if (!slot) {
        slot = new Dialog(*this);
        // Forget it as it closes: its deletion is deferred, and a request in the
        // same turn must load a fresh one.
        connect(slot.data(), &VbDialog::unloaded, this, [&slot] { slot = nullptr; });
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}

void Frontend::Setup_Click() {
    ShowShared(configDialog_);
}

void Frontend::Directories_Click() {
    ShowShared(pathDialog_);
}

void Frontend::About_Click() {
    ShowShared(aboutDialog_);
}

void Frontend::Quit_Click() {
    close();
}
