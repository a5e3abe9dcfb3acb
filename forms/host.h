// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"

#include <memory>
#include <utility>

namespace forms {

class Host;

// A windowing toolkit: builds windows from their descriptions.
class Front {
public:
    virtual ~Front() = default;
    // Builds the form's window, not shown yet, and attaches its view. When the
    // window goes (its Close, or its frame's close box), the front detaches the
    // view and tells the host.
    virtual void Build(Form& form, Host& host) = 0;
    // Shows the built window, or brings it to the front, with the focus.
    virtual void Show(Form& form) = 0;
    // No window is left: the program ends.
    virtual void Quit() = 0;
};

// Shows windows the way the program's windows behave: a window not loaded is
// built and loaded first; one already open is only brought to the front. The
// program ends when its last window has gone.
class Host {
public:
    explicit Host(Front& front) : front_(front) {}

    void Show(Form& form);
    // A dialog exists at most once, made on first use.
    template <class F, class... Args> F& ShowShared(std::unique_ptr<F>& slot, Args&&... args) {
        if (!slot) {
            slot = std::make_unique<F>(std::forward<Args>(args)...);
        }
        Show(*slot);
        return *slot;
    }
    // From the front, once a window has gone.
    void Unloaded(Form& form);

private:
    Front& front_;
    int open_ = 0;
};

} // namespace forms
