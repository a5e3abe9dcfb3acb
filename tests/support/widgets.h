// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QApplication>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

#include <vector>

// The named controls among `names` in the order Tab visits them, from `first`.
inline QStringList TabOrder(QWidget* first, const QStringList& names) {
    QStringList order;
    QWidget* widget = first;
    do {
        if (names.contains(widget->objectName()) && (widget->focusPolicy() & Qt::TabFocus)) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() < names.size());
    return order;
}

// Runs each step in a turn of its own of the application's event loop and tells
// how many had run when the program ended by itself (the last window closed);
// -1 when it was still running after the last step.
inline int StepsBeforeTheProgramEnds(const std::vector<std::function<void()>>& steps) {
    QObject context;
    std::size_t done = 0;
    bool stillRunning = false;
    std::function<void()> next = [&] {
        if (done < steps.size()) {
            steps[done++]();
            QTimer::singleShot(20, &context, next);
        } else {
            stillRunning = true;
            QApplication::quit();
        }
    };
    QTimer::singleShot(0, &context, next);
    QTimer::singleShot(10000, &context, [&] {
        stillRunning = true;
        QApplication::quit();
    });
    QApplication::exec();
    return stillRunning ? -1 : static_cast<int>(done);
}
