// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/profile_errors.h"

namespace platform::winerr {

namespace {

struct Message {
    std::uint32_t code;
    const char* text;
};

// The English texts exactly as Windows gives them, line break included.
constexpr Message kMessages[] = {
    {kSuccess, "The operation completed successfully.\r\n"},
    {kFileNotFound, "The system cannot find the file specified.\r\n"},
    {kPathNotFound, "The system cannot find the path specified.\r\n"},
    {kTooManyOpenFiles, "The system cannot open the file.\r\n"},
    {kAccessDenied, "Access is denied.\r\n"},
    {kNotEnoughMemory, "Not enough memory resources are available to process this command.\r\n"},
    {kNotSameDevice, "The system cannot move the file to a different disk drive.\r\n"},
    {kWriteProtect, "The media is write protected.\r\n"},
    {kGenFailure, "A device attached to the system is not functioning.\r\n"},
    {kSharingViolation,
     "The process cannot access the file because it is being used by another process.\r\n"},
    {kFileExists, "The file exists.\r\n"},
    {kInvalidParameter, "The parameter is incorrect.\r\n"},
    {kDiskFull, "There is not enough space on the disk.\r\n"},
    {kInsufficientBuffer, "The data area passed to a system call is too small.\r\n"},
    {kInvalidName, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {kFilenameTooLong, "The filename or extension is too long.\r\n"},
    {kFileTooLarge, "The file size exceeds the limit allowed and cannot be saved.\r\n"},
    {kMoreData, "More data is available.\r\n"},
    {kMessageNotFound,
     "The system cannot find message text for message number 0x%1 in the message file for "
     "%2.\r\n"},
    {kIoDevice, "The request could not be performed because of an I/O device error.\r\n"},
    {kCantResolveFilename, "The name of the file cannot be resolved by the system.\r\n"},
    {kLanguageNotFound, "The specified resource language ID cannot be found in the image "
                        "file.\r\n"},
    {kNoPlaceForOldContent,
     "The file can only be rewritten in place, and there is no private directory to keep its "
     "old content in meanwhile ($XDG_STATE_HOME/vorlanes, by default ~/.local/state/vorlanes: "
     "missing and not creatable, not yours, or writable by others).\r\n"},
};

} // namespace

const char* MessageText(std::uint32_t code) {
    for (const Message& m : kMessages) {
        if (m.code == code)
            return m.text;
    }
    return nullptr;
}

} // namespace platform::winerr
