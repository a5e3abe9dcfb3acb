// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/dialog_style.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <cmath>

namespace qtfront {

int Twips(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect Twips(const forms::Rect& rect) {
    return {Twips(rect.left), Twips(rect.top), Twips(rect.width), Twips(rect.height)};
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

} // namespace qtfront
