// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/short_form_question.h"

#include "platform/files/paths.h"
#include "platform/widgets/message_box.h"

#include <QWidget>

bool MayStoreShortForm(QWidget* dialog, const std::string& typed, const std::string& shortForm) {
    // The short form keeps a directory's last name only with its closing "\".
    const std::string dir = !typed.empty() && typed.back() != '\\' ? typed + "\\" : typed;
    const std::string elsewhere =
        platform::PathMap::System().ShortFormLeadsElsewhere(dir, shortForm);
    if (elsewhere.empty()) {
        return true;
    }
    return platform::AskYesNo(
        dialog, dialog->windowTitle(),
        QStringLiteral("%1 leads to the directory\n%2\nnot to\n%3\nStore anyway?")
            .arg(QString::fromLocal8Bit(shortForm), QString::fromLocal8Bit(elsewhere),
                 QString::fromLocal8Bit(dir)));
}
