// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/message_box.h"

#include "front/qt/task_bar.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace qtfront {
namespace {

// A box is sized by its text alone: one with a short text gets its caption
// cut. The window manager draws the bar in a font of its own, commonly bold
// and larger than the box's; beside it, the icon and the bar's buttons.
void WidenToCaption(QMessageBox& box) {
    QFont font = box.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 5 * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

QMessageBox::StandardButton Show(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    KeepOffTaskBar(&box);
    WidenToCaption(box);
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
