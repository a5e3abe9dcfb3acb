// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/dialog_style.h"

#include "platform/widgets/task_bar.h"

#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QShowEvent>
#include <cmath>

int Twips(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

// Bare pixels rather than a PNG: the first image file decoded loads Qt's
// image-format plugins, which would hold back the first window.
QIcon ProgramIcon() {
    static const QIcon* const icon = [] {
        QFile file(QStringLiteral(":/vorlanes/icon.rgba"));
        const QByteArray pixels = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        constexpr int kSide = 48;
        if (pixels.size() != kSide * kSide * 4) {
            return new QIcon;
        }
        const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), kSide, kSide,
                           QImage::Format_RGBA8888);
        return new QIcon(QPixmap::fromImage(image)); // a copy: `pixels` goes
    }();
    return *icon;
}

void NameControl(QWidget* widget, const char* name, const QString& accessibleName) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
}

VbDialog::VbDialog(const char* objectName, const QString& caption, int clientWidthTwips,
                   int clientHeightTwips)
    : QWidget(nullptr) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // Qt clears this for parentless tool windows; an open dialog must keep the
    // program alive after the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowTitle(caption);
    setWindowIcon(ProgramIcon());
    setGeometry(Twips(2760), Twips(3750), Twips(clientWidthTwips), Twips(clientHeightTwips));
    setFixedSize(Twips(clientWidthTwips), Twips(clientHeightTwips));
}

QPushButton* VbDialog::AddButton(const char* objectName, const QString& caption, int leftTwips,
                                 int topTwips) {
    auto* button = new QPushButton(caption, this);
    NameControl(button, objectName, caption);
    PlaceTwips(button, leftTwips, topTwips, 1215, 375);
    MakeEnterPresses(button);
    return button;
}

void VbDialog::MakeEnterPresses(QPushButton* button) {
    button->setAutoDefault(true);
    button->setDefault(false);
}

void VbDialog::showEvent(QShowEvent* event) {
    // Before the window is mapped, each time: Qt::Tool alone keeps a dialog out
    // of the task bar on Windows but not under every X11 window manager.
    if (!event->spontaneous()) {
        platform::KeepOutOfTaskBar(this);
    }
    QWidget::showEvent(event);
}

void VbDialog::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit unloaded();
    }
}
