// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/view.h"
#include "platform/files/paths.h"

#include <string>

namespace location {

// Before a directory is stored in its short form: when that form leads to
// another existing directory than the one typed or browsed, asks whether to
// store it anyway, naming both. True when storing may go on.
bool MayStoreShortForm(forms::View& dialog, const platform::PathMap& paths,
                       const std::string& typed, const std::string& shortForm);

} // namespace location
