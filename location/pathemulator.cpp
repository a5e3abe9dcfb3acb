// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/pathemulator.h"

#include "app/frontend.h"
#include "app/short_form_question.h"
#include "app/shortpath.h"
#include "location/emulator_location.h"
#include "platform/widgets/message_box.h"

#include <QLabel>
#include <QLineEdit>

namespace {
QString Text(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes);
}
} // namespace

Pathemulator::Pathemulator(Frontend& main)
    : VbDialog("Pathemulator", QStringLiteral("Path - Emulators"), 5775, 1065), main_(main) {
    OKButton = AddButton("OKButton", QStringLiteral("OK"), 4440, 120);
    CancelButton = AddButton("CancelButton", QStringLiteral("Annuler"), 4440, 600);

    Label2 = new QLabel(QStringLiteral("HuGo!"), this);
    NameControl(Label2, "Label2", QStringLiteral("HuGo!"));
    PlaceTwips(Label2, 120, 360, 975, 255);

    Pathhugo = new QLineEdit(this);
    NameControl(Pathhugo, "Pathhugo", QStringLiteral("Emulator directory"));
    PlaceTwips(Pathhugo, 1200, 360, 2295, 285);
    Label2->setBuddy(Pathhugo);

    Browse = new QPushButton(QStringLiteral("..."), this);
    NameControl(Browse, "Browse", QStringLiteral("Browse"));
    PlaceTwips(Browse, 3600, 360, 255, 255);
    MakeEnterPresses(Browse);

    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, Pathhugo);
    setTabOrder(Pathhugo, Browse);
    OKButton->setFocus();

    connect(OKButton, &QPushButton::clicked, this, &Pathemulator::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Pathemulator::CancelButton_Click);
    connect(Browse, &QPushButton::clicked, this, &Pathemulator::Browse_Click);

    Form_Load();
}

void Pathemulator::Form_Load() {
    ShowDir(location::ReadEmulatorDir(main_.services().settings));
}

void Pathemulator::Browse_Click() {
    const std::string chosen = main_.services().fileDialog.ChooseFile();
    if (chosen.empty()) {
        return;
    }
    ShowDir(DirectoryPart(chosen));
}

void Pathemulator::OKButton_Click() {
    const std::string typed = DirBytes();
    const std::string stored = location::StoredForm(typed, &Frontend::ShortPath);
    if (!MayStoreShortForm(this, typed, stored)) {
        return; // the text stays as typed
    }
    ShowDir(stored);
    const platform::SaveResult saved = location::SaveEmulatorDir(main_.services().settings, stored);
    if (!saved.ok) {
        platform::ShowMessage(this, windowTitle(),
                              QStringLiteral("The emulator's directory %1 could not be saved: %2")
                                  .arg(dir_.shown(), Text(saved.reason)));
        return;
    }
    if (!saved.note.empty()) {
        platform::ShowMessage(this, windowTitle(), Text(saved.note));
    }
    main_.reload();
    close();
}

void Pathemulator::CancelButton_Click() {
    close();
}

void Pathemulator::ShowDir(const std::string& bytes) {
    Pathhugo->setText(dir_.Show(bytes));
    Pathhugo->setCursorPosition(0); // the drive letter in sight, not the end
}

std::string Pathemulator::DirBytes() const {
    return dir_.Bytes(Pathhugo->text());
}
