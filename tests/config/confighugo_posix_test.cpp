// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/setup_fixture.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or clears the immutable flag, which stops even root from writing.
void SetImmutable(const std::string& file, bool on) {
    const int fd = open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
}

TEST_F(Setup, AFileThatCannotBeWrittenKeepsTheDialogOpen) {
    const std::string before = "[Main]\nvmode=1\nrom_dir=C:\\Program Files\\\n";
    Open(before.c_str());
    chmod(dir.File().c_str(), 0444);
    SetImmutable(dir.File(), true);
    if (access(dir.File().c_str(), W_OK) == 0 && geteuid() != 0) {
        GTEST_SKIP() << "the file stays writable here";
    }
    Do("graph3 OKButton");
    SetImmutable(dir.File(), false);
    ASSERT_TRUE(dialog()->Loaded());
    EXPECT_EQ(dir.Read(), before);
    ASSERT_EQ(view().told.size(), 1u);
    const std::string& told = view().told[0];
    EXPECT_NE(told.find(dir.SystemDir() + "Hu-go!.ini"), std::string::npos) << told;
    EXPECT_NE(told.find("denied"), std::string::npos) << told;
    EXPECT_EQ(Shown(), "graph3 [C:\\Progra~1\\] ----");
}

} // namespace
