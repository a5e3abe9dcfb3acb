// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/menu_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace qtfront {
namespace {

// Most styles outside Windows leave the menu bar out of reach of Alt, and
// some (Fusion) draw its highlight only while a menu is open.
class AltReachesMenuBar : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarItem && widget && widget->hasFocus() &&
            (option->state & State_Selected)) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem highlighted(*item);
                highlighted.state |= State_Sunken;
                QProxyStyle::drawControl(element, &highlighted, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

void ReachMenuBarByKeyboard(QMenuBar* bar) {
    auto* style = new AltReachesMenuBar;
    style->setParent(bar);
    bar->setStyle(style);

    QWidget* window = bar->window();
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar, window] {
        // F10 is Alt pressed and released alone: the menu bar watches the
        // window for just that.
        QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(window, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(window, &release);
        if (!bar->activeAction() && !bar->actions().isEmpty()) {
            bar->setActiveAction(bar->actions().first()); // opens it, at least
        }
    });
}

} // namespace qtfront
