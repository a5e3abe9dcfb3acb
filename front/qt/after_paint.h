// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

namespace qtfront {

// Work a widget leaves until it has been painted: run on the event loop's
// next turn, once however many paints come before it. Every widget of the
// window is painted in the same pass, so the whole window is on screen then.
class AfterPaint {
public:
    void Ask(QObject* owner, std::function<void()> then) {
        if (!std::exchange(asked_, true)) {
            QTimer::singleShot(0, owner, [this, then = std::move(then)] {
                asked_ = false;
                then();
            });
        }
    }

private:
    bool asked_ = false;
};

} // namespace qtfront
