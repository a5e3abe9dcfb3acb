// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <chrono>

namespace platform::posix {

// flock(fd, how) waited for no longer than wait: any user who can read a
// file can hold a shared lock on it for good. False when another still holds
// it then; a file system without locks is used without. A file still locked
// at the limit is not waited for again for a while, so that a run of calls
// on it does not wait for each.
bool LockWithin(int fd, int how, std::chrono::milliseconds wait);

} // namespace platform::posix
