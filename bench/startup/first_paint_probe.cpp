// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Preloaded (LD_PRELOAD) into a Qt program, it ends the program as soon as its
// first window has been painted and handed to the screen, so that the time or
// the instructions of a whole run are those of start-up to first paint. The
// same probe goes into both programs a benchmark compares.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            // The window's children are painted and the whole flushed within
            // the same update; the next turn of the event loop comes after it.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

void Install() {
    QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
