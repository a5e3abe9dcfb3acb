// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/profile/kept_copy_posix.h"

// The safe replace of a file under the profile functions' rules: a file is
// always either old or new on disk. It is replaced atomically (temporary
// file, flush, rename) through its symbolic links; where a new file could not
// be what the old one was (the folder takes no new file, another owner or
// group, extended attributes that cannot be copied, hard links) it is
// rewritten in place, with room for the new text reserved first and both
// texts kept aside until the rewrite is done. Writers of every process lock
// the folder where they can and the file. A replace is on disk when it
// returns: the new file is flushed before it takes the old one's place, then
// its folder. A replace that changes nothing writes and flushes nothing.
namespace platform::safe_replace {

struct Context {
    const KeptCopies& kept;
    bool flush = true; // false skips fsync: for fuzzing and measurements only
    std::chrono::milliseconds lockWait;
    std::function<void()> changed; // told before and after the file may change
};

// The new text: the old with `middle` in the place of its bytes [from, to).
// An edit of one section of a big file leaves the rest to be written straight
// from the bytes read, never copied.
struct Splice {
    std::size_t from = 0;
    std::size_t to = 0;
    std::string middle;
};

// edit gets the current text (empty for a missing file) and whether the
// file exists, and returns false when there is nothing to write. Returns the
// Windows error code.
using Edit = std::function<bool(std::string_view text, bool exists, Splice& out)>;
std::uint32_t Replace(const std::string& native, const Context& context, const Edit& edit);

// With the file's lock held and its bytes read: what the file holds once a
// cut rewrite of it is finished.
std::string FinishCut(const std::string& path, int fd, std::string raw, const Context& context);

} // namespace platform::safe_replace
