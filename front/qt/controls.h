// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/description.h"

#include <QCheckBox>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>
#include <vector>

class QLabel;

// The controls whose behaviour Qt gives otherwise than the system's.
namespace qtfront {

// A tab control whose controls are placed in twips from its own top left, the
// row of tabs included: they are put in place each time the pages are laid out.
class FormTabs : public QTabWidget {
public:
    using QTabWidget::QTabWidget;
    void Place(QWidget* control, QRect rect);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceAll();
    std::vector<std::pair<QPointer<QWidget>, QRect>> placed_;
};

// A check box as the system's: a click gives clear or checked, only a stored
// value shows grayed, and the arrow keys stay with it.
class CheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;
};

// An option button whose group is kept exclusive by its click handler; an
// arrow key hands its step (1 or -1) to `arrow`.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    std::function<void(int step)> arrow;

protected:
    void nextCheckState() override {} // the handler selects
    void keyPressEvent(QKeyEvent* event) override;
};

// A label, with the address at its caption's end a link opened by mouse.
QLabel* MakeLabel(const forms::Control& c, QWidget* parent);

} // namespace qtfront
