// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

class QWidget;

// Before a directory is stored in its short form: when that form leads to
// another existing directory than the one typed or browsed, asks whether to
// store it anyway, naming both. True when storing may go on.
bool MayStoreShortForm(QWidget* dialog, const std::string& typed, const std::string& shortForm);
