// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/host.h"

namespace forms {

void Host::Show(Form& form) {
    const bool fresh = !form.Loaded();
    if (fresh) {
        front_.Build(form, *this);
        ++open_;
        form.Created();
        form.Raise(form.description().name, Event::Load);
    }
    front_.Show(form);
    if (fresh && form.Loaded()) {
        form.Shown();
    }
}

void Host::Unloaded(Form& form) {
    form.Attach(nullptr);
    if (--open_ == 0) {
        front_.Quit();
    }
}

} // namespace forms
