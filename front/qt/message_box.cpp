// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/message_box.h"

#include "front/qt/task_bar.h"

#include <QMessageBox>

namespace qtfront {
namespace {
QMessageBox::StandardButton Show(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    KeepOffTaskBar(&box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    return Show(QMessageBox::Question, parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text) {
    Show(QMessageBox::Warning, parent, title, text, QMessageBox::Ok);
}

} // namespace qtfront
