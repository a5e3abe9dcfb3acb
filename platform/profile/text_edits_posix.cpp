// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/text_edits_posix.h"

#include "platform/profile/code_page_posix.h"
#include "platform/profile/ini_text.h"

namespace platform::text_edits {

bool EditValue(std::string_view text, bool exists, const char* section, const char* key,
               const char* value, std::string& out) {
    const codepage::Spelling spelling(text);
    if (key == nullptr) {
        ini::RemoveSection(text, spelling.In(section), out);
        return exists;
    }
    if (value == nullptr) {
        ini::RemoveKey(text, spelling.In(section), spelling.In(key), out);
        return exists;
    }
    ini::SetValue(text, spelling.In(section), spelling.In(key), spelling.In(value), out);
    return true;
}

std::pair<std::size_t, std::size_t>
OneSectionsPart(std::string_view text, const std::vector<ProfileFunctions::HeldWrite>& writes) {
    const std::pair<std::size_t, std::size_t> whole(0, text.size());
    if (writes.empty() || codepage::HasUtf8Mark(text))
        return whole;
    const codepage::Spelling spelling(text);
    const std::string section = spelling.In(writes.front().section);
    for (const auto& w : writes) {
        if (!w.key || !w.value ||
            !ini::NamesEqual(ini::TrimBlanks(spelling.In(w.section)), ini::TrimBlanks(section)))
            return whole;
    }
    const auto extent = ini::SectionExtent(text, section);
    if (!extent || ini::LineEnding(text.substr(extent->first, extent->second - extent->first)) !=
                       ini::LineEnding(text))
        return whole;
    return *extent;
}

} // namespace platform::text_edits
