// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/kept_bytes.h"

#include <QByteArray>

namespace qtfront {
namespace {
bool FitsLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}
} // namespace

QString KeptBytes::Show(const std::string& bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QString shown = QString::fromLocal8Bit(raw);
    // Text in another code page than ours (the emulator's Windows code page,
    // typically) would show as replacement characters; Latin-1 shows every
    // byte as some character, most likely the right one.
    latin1_ = shown.toLocal8Bit() != raw;
    if (latin1_) {
        shown = QString::fromLatin1(raw);
    }
    return kept_.Keep(bytes, shown);
}

std::string KeptBytes::Bytes(const QString& text) const {
    return kept_.Bytes(text, [this](const QString& edited) {
        // Edited text keeps the code page the value came in, where it can.
        return latin1_ && FitsLatin1(edited) ? edited.toLatin1().toStdString()
                                             : edited.toLocal8Bit().toStdString();
    });
}

} // namespace qtfront
