// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"
#include "front/qt/dialog_style.h"
#include "front/qt/qt_front.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(qtfront::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vorlanes"));
    qtfront::QtFront front;
    forms::Host host(front);
    Frontend window(platform::SystemServices(), host);
    host.Show(window);
    return QApplication::exec();
}
