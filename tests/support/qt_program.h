// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "app/aboutfrontend.h"
#include "app/frontend.h"
#include "config/confighugo.h"
#include "front/qt/qt_front.h"
#include "location/pathemulator.h"
#include "support/fakes.h"

#include <QCoreApplication>

// The program's Qt windows over a faked operating system.
struct QtProgram {
    ~QtProgram() {
        for (const forms::Form* form : Forms()) {
            delete Window(form); // without closing: the handlers go first
        }
    }
    QWidget* Window(const forms::Form* form) const { return form ? front.Window(*form) : nullptr; }
    template <class T = QWidget> T* Get(const forms::Form* form, const char* name) const {
        QWidget* window = Window(form);
        return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    std::vector<const forms::Form*> Forms() const {
        return {&main, main.configDialog(), main.pathDialog(), main.aboutDialog()};
    }
    static void FlushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    fakes::System system;
    qtfront::QtFront front;
    forms::Host host{front};
    Frontend main{system.services(), host};
};
