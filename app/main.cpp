// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/dialog_style.h"
#include "app/frontend.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vorlanes"));
    Frontend window(platform::SystemServices());
    window.show();
    return QApplication::exec();
}
