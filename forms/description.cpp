// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/description.h"

#include <algorithm>

namespace forms {

const Control* Description::Find(std::string_view control) const {
    for (const Control& c : controls) {
        if (c.name == control) {
            return &c;
        }
    }
    return nullptr;
}

std::vector<std::string_view> Description::TabOrder() const {
    std::vector<const Control*> stops;
    for (const Control& c : controls) {
        if (c.tabIndex >= 0) {
            stops.push_back(&c);
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string_view> names;
    for (const Control* c : stops) {
        names.push_back(c->name);
    }
    return names;
}

// Options are one group when they share their container and its page.
std::vector<std::string_view> Description::GroupOf(std::string_view option) const {
    const Control* self = Find(option);
    std::vector<std::string_view> group;
    if (self == nullptr || self->kind != Kind::Option) {
        return group;
    }
    for (const Control& c : controls) {
        if (c.kind == Kind::Option && c.container == self->container && c.page == self->page) {
            group.push_back(c.name);
        }
    }
    return group;
}

} // namespace forms
