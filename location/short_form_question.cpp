// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/short_form_question.h"

namespace location {

bool MayStoreShortForm(forms::View& dialog, const platform::PathMap& paths,
                       const std::string& typed, const std::string& shortForm) {
    // The short form keeps a directory's last name only with its closing "\".
    const std::string dir = !typed.empty() && typed.back() != '\\' ? typed + "\\" : typed;
    const std::string elsewhere = paths.ShortFormLeadsElsewhere(dir, shortForm);
    if (elsewhere.empty()) {
        return true;
    }
    return dialog.Ask(shortForm + " leads to the directory\n" + elsewhere + "\nnot to\n" + dir +
                      "\nStore anyway?");
}

} // namespace location
