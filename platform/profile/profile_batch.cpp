// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile.h"

#include <utility>

namespace platform {

void ProfileFunctions::BeginWrites(const char* fileName) {
    held_.clear();
    batchFile_.reset();
    if (fileName != nullptr && *fileName != '\0')
        batchFile_ = fileName;
}

std::int32_t ProfileFunctions::CommitWrites() {
    // Closed first: applying them one by one goes through the same calls.
    const std::optional<std::string> file = std::exchange(batchFile_, std::nullopt);
    const std::vector<HeldWrite> writes = std::exchange(held_, {});
    if (!file || writes.empty())
        return 1;
    return ApplyWrites(*file, writes);
}

bool ProfileFunctions::Held(const char* section, const char* key, const char* value,
                            const char* fileName) {
    if (!batchFile_ || section == nullptr || fileName == nullptr || *batchFile_ != fileName)
        return false;
    HeldWrite write{section, {}, {}};
    if (key != nullptr)
        write.key = key;
    if (value != nullptr)
        write.value = value;
    held_.push_back(std::move(write));
    return true;
}

std::int32_t ProfileFunctions::ApplyWrites(const std::string& fileName,
                                           const std::vector<HeldWrite>& writes) {
    std::int32_t all = 1;
    for (const HeldWrite& w : writes) {
        if (WritePrivateProfileStringA(w.section.c_str(), w.key ? w.key->c_str() : nullptr,
                                       w.value ? w.value->c_str() : nullptr, fileName.c_str()) == 0)
            all = 0;
    }
    return all;
}

bool SettleCutWrites(const std::string& systemFileName) {
    return SystemProfile().SettleCutWrites(systemFileName);
}

} // namespace platform
