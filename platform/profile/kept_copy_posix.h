// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform {

// What a file held and what it was to hold while it is rewritten in place.
struct CutWrite {
    std::string old, next;
};

// Whether text is what a rewrite in place from old to next leaves when it is
// cut at one point, or the put-back after a failed one: the new bytes over a
// stretch of the old.
bool IsCutBetween(std::string_view text, std::string_view old, std::string_view next);

// The old and new content of a file rewritten in place, kept durably in a
// directory of the user's own until the rewrite is done. A copy is keyed by
// the file itself (device and inode), whatever path reaches it. Only a
// directory and copies that belong to the effective user and that nobody
// else may write are trusted; anything else is ignored and never written into.
class KeptCopies {
public:
    // dir gives the directory (made on first use, private); it is asked for
    // only when a copy is made or looked for.
    explicit KeptCopies(std::function<std::string()> dir);

    // Keeps both contents for the file. Returns 0, kNoPlace when there is no
    // trusted directory, or the errno; the file must not be touched on failure.
    int Keep(const struct stat& file, std::string_view old, std::string_view next) const;
    void Forget(const struct stat& file) const;
    std::optional<CutWrite> Find(const struct stat& file) const;

    static constexpr int kNoPlace = -1;

private:
    int OpenDir(bool make) const;

    std::function<std::string()> dir_;
};

// $XDG_STATE_HOME/vorlanes, or the home's .local/state/vorlanes.
std::string UserStateDir();

// The user's base directory for one kind of file: the variable when it holds
// an absolute path, else fallback below $HOME, or below the home the password
// database gives when HOME is unset or relative. Empty when there is none.
std::string XdgBaseDir(const char* variable, const char* fallback);

} // namespace platform
