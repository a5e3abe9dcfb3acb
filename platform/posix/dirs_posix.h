// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>

// Paths and folders as the POSIX services use them.
namespace platform::posix {

// The path's folder ("." for a bare name) and its last name.
std::string DirName(const std::string& path);
std::string BaseName(const std::string& path);

// Makes the folder and any missing parent, private to the user. Returns 0,
// or the errno (ENOTDIR when something else has its name).
int MakeDirs(const std::string& dir);

// The user's base folder for one kind of file: the variable when it holds
// an absolute path, else fallback below $HOME, or below the home the password
// database gives when HOME is unset or relative. Empty when there is none.
std::string XdgBaseDir(const char* variable, const char* fallback);

} // namespace platform::posix
