// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/controls.h"

#include "forms/rules.h"

#include <QKeyEvent>
#include <QLabel>

namespace qtfront {
namespace {

QString Caption(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int ArrowStep(int key) {
    return (key == Qt::Key_Down || key == Qt::Key_Right) ? 1
           : (key == Qt::Key_Up || key == Qt::Key_Left)  ? -1
                                                         : 0;
}

} // namespace

void FormTabs::Place(QWidget* control, QRect rect) {
    placed_.push_back({control, rect});
    control->setGeometry(rect);
}

void FormTabs::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    PlaceAll();
}

void FormTabs::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    PlaceAll();
}

void FormTabs::PlaceAll() {
    for (const auto& [control, rect] : placed_) {
        if (control) {
            control->setGeometry(
                rect.translated(-control->parentWidget()->mapTo(this, QPoint(0, 0))));
        }
    }
}

void CheckBox::nextCheckState() {
    const int now = checkState() == Qt::Checked ? forms::kChecked : forms::kClear;
    setCheckState(forms::Clicked(now) == forms::kChecked ? Qt::Checked : Qt::Unchecked);
}

// Qt would move the focus on to the next control, and from there into an
// option group whose next arrow selects.
void CheckBox::keyPressEvent(QKeyEvent* event) {
    if (ArrowStep(event->key()) != 0) {
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    const int step = ArrowStep(event->key());
    if (step == 0 || !arrow) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    arrow(step);
}

QLabel* MakeLabel(const forms::Control& c, QWidget* parent) {
    const QString caption = Caption(c.caption);
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleName(caption);
    const auto link = forms::LinkIn(c.caption);
    if (!link) {
        label->setText(caption);
        return label;
    }
    const QString address = Caption(link->address);
    label->setTextFormat(Qt::RichText);
    label->setText(
        Caption(link->before).toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")) +
        QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setOpenExternalLinks(true);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace qtfront
