// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <windows.h>

// What the windows take from the system: their classes, icons and font, and
// the functions of libraries loaded only when asked for.
namespace win32front {

// Pixels for twips at a given DPI: 1440 twips to a logical inch.
inline int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// A function of a system library loaded when first asked for: linked, the
// library and all it brings along (the shell among them) were loaded before
// the main window showed. Null when it cannot be had.
template <class Function> Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

inline constexpr wchar_t kMainClass[] = L"VorlanesFrontend";
inline constexpr wchar_t kDialogClass[] = L"VorlanesDialog";
inline constexpr wchar_t kOwnerClass[] = L"VorlanesOwner";

// The common controls, and the three classes: the main window's, the
// dialogs', and that of the hidden window owning the dialogs.
void RegisterClasses(HINSTANCE instance, WNDPROC procedure);

HICON BigIcon(HINSTANCE instance, int dpi);
HICON SmallIcon(HINSTANCE instance, int dpi);
// The font of message boxes, which the system's dialogs use too.
HFONT MessageFont();

} // namespace win32front
