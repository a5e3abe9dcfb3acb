// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/message_box.h"

namespace win32front {

bool ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text, bool question) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(),
                       question ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONWARNING) == IDYES;
}

} // namespace win32front
