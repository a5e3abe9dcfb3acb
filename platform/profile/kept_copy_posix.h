// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace platform {

// The old content of a file that is being rewritten in place, kept durably in
// a directory of the user's own until the rewrite is done. A copy still there
// when the file is next opened means that a rewrite was cut: the file is then
// put back as it was.
class KeptCopies {
public:
    // dir gives the directory (made on first use, private); it is asked for
    // only when a copy is made or looked for.
    explicit KeptCopies(std::function<std::string()> dir);

    // Keeps bytes as the old content of file (a native path, links followed).
    // Returns 0 or the errno; the file must not be touched when it fails.
    int Keep(const std::string& file, const std::string& bytes) const;
    void Forget(const std::string& file) const;
    // The old content of a cut rewrite of file, if there is one.
    std::optional<std::string> Find(const std::string& file) const;

private:
    std::string Dir() const;
    static std::string PathFor(const std::string& dir, const std::string& file);

    std::function<std::string()> dir_;
};

// $XDG_STATE_HOME/vorlanes, or ~/.local/state/vorlanes.
std::string UserStateDir();

} // namespace platform
