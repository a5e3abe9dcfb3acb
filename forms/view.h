// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <string>
#include <string_view>

namespace forms {

// What the handlers see of their window: its controls by name, and the window
// itself. Text is bytes in the system code page; a text box gives back the
// bytes it was given for as long as nobody edits it.
class View {
public:
    virtual ~View() = default;

    virtual std::string Text(std::string_view textBox) const = 0;
    virtual void SetText(std::string_view textBox, const std::string& text) = 0;
    virtual bool Value(std::string_view option) const = 0;
    virtual void SetValue(std::string_view option, bool on) = 0;
    virtual int Check(std::string_view checkBox) const = 0; // 0 clear, 1 checked, 2 grayed
    virtual void SetCheck(std::string_view checkBox, int state) = 0;

    // The drive list's upper-case letter; SetDrive shows one without raising Change.
    virtual char Drive(std::string_view driveList) const = 0;
    virtual void SetDrive(std::string_view driveList, char letter) = 0;
    // A directory list opens `path` (raising its Change when the path changes);
    // false, with the system's reason, when it cannot be read: nothing changes then.
    virtual bool SetPath(std::string_view dirList, const std::string& path,
                         std::string* reason) = 0;
    virtual std::string Path(std::string_view list) const = 0;
    // A file list shows the matching files of the directory a directory list has
    // open, as it was read when opened, none selected.
    virtual void ShowFiles(std::string_view fileList, std::string_view dirList) = 0;
    // The selected bare file name, empty when none is selected.
    virtual std::string FileName(std::string_view fileList) const = 0;

    // Unloads the window.
    virtual void Close() = 0;
    // A message box, or a Yes/No question (true for Yes), owned by the window and
    // titled with its caption.
    virtual void Tell(const std::string& text) = 0;
    virtual bool Ask(const std::string& text) = 0;
    // The open-file dialog with nothing set, owned by the window: the chosen
    // file's full name, or the empty text.
    virtual std::string ChooseFile() = 0;
};

} // namespace forms
