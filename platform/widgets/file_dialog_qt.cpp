// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths.h"
#include "platform/widgets/file_dialog.h"

#include <QFileDialog>

namespace platform {
namespace {

class QtFileDialog final : public OpenFileDialog {
public:
    std::string ChooseFile() override {
        const QString chosen = QFileDialog::getOpenFileName(nullptr);
        if (chosen.isEmpty()) {
            return {};
        }
        return PathMap::System().ToSystem(QFile::encodeName(chosen).toStdString());
    }
};

} // namespace

OpenFileDialog& SystemFileDialog() {
    static QtFileDialog dialog;
    return dialog;
}

} // namespace platform
