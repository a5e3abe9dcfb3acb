// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "platform/profile/profile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the profile functions' writes do to a file's text.
namespace platform::text_edits {

// One WritePrivateProfileStringA on the text; false when there is nothing to write.
bool EditValue(std::string_view text, bool exists, const char* section, const char* key,
               const char* value, std::string& out);

// The part of the text that writes setting values of one existing section
// change: that section alone, so that a big file is walked and copied once
// for them all, not once a write. The whole text for any other writes, for
// a text whose mark spells it in UTF-8 (the part has no mark), and where the
// section's first line break is not the one new lines take.
std::pair<std::size_t, std::size_t>
OneSectionsPart(std::string_view text, const std::vector<ProfileFunctions::HeldWrite>& writes);

} // namespace platform::text_edits
