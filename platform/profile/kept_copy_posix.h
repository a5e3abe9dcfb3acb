// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform {

// A rewrite in place goes step by step, each step putting next's bytes
// [from, to) over what the file held; a step to beyond next's end cuts the
// file to next's size. Before each step it records the step and the file's
// change time, so that a cut rewrite is known by what it alone can have left:
// the recorded step not taken with the file's change time as it was, or the
// step taken or begun. Anyone else's write, even of the same bytes, changes
// the time; a file made anew in a freed inode has other bytes.
struct CutWrite {
    std::string old, next;
    std::size_t from = 0, to = 0;
    struct timespec changed {};
};

// What the file holds once next's first `done` bytes lie over old.
std::string Mixed(std::string_view old, std::string_view next, std::size_t done);

// Whether a file with this status and these bytes is what the cut write left.
bool IsOwnCut(const CutWrite& cut, const struct stat& file, std::string_view bytes);

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

    // Keeps both contents for the file, with no step taken yet. Returns 0,
    // kNoPlace when there is no trusted directory, or the errno; the file
    // must not be touched on failure.
    int Keep(const struct stat& file, std::string_view old, std::string_view next) const;
    // Records the step about to be taken on the file, whose status is fresh.
    // Not flushed: it has to outlive the program, not the system. False when
    // it could not be recorded; the step must not be taken then.
    bool Step(const struct stat& file, std::size_t from, std::size_t to) const;
    void Forget(const struct stat& file) const;
    std::optional<CutWrite> Find(const struct stat& file) const;

    static constexpr int kNoPlace = -1;

private:
    int OpenDir(bool make) const;

    std::function<std::string()> dir_;
};

// $XDG_STATE_HOME/vorlanes, or the home's .local/state/vorlanes.
std::string UserStateDir();

} // namespace platform
