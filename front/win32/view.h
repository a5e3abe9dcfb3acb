// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"
#include "forms/lists.h"
#include "forms/rules.h"

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace win32front {

// One control as built: its description, its window, and its top left in the
// window's client area.
struct Item {
    const forms::Control* control;
    HWND hwnd;
    POINT origin;
};

// What the handlers see of one window: its controls by name, and the rows of
// its lists.
class Win32View final : public forms::View {
public:
    explicit Win32View(forms::Form& form) : form_(form) {}

    forms::Form& form() const { return form_; }
    const forms::Description& description() const { return form_.description(); }
    HWND window() const { return window_; }
    void SetWindow(HWND window) { window_ = window; }

    void Add(const Item& item);
    const std::vector<Item>& items() const { return items_; }
    const Item* ItemOf(std::string_view name) const;
    const Item* ItemOf(HWND control) const;
    HWND Control(std::string_view name) const;

    forms::DriveRows* Drives(std::string_view list);
    forms::DirRows* Dirs(std::string_view list);
    forms::FileRows* Files(std::string_view list);
    const forms::DirRows* Dirs(std::string_view list) const;
    const forms::FileRows* Files(std::string_view list) const;
    void AddDrives(std::string_view list, forms::DriveRows rows);
    void AddDirs(std::string_view list);
    void AddFiles(std::string_view list, std::string pattern);

    // How many times the lists have been filled anew.
    int Fills() const { return fills_; }

    // The user opened a directory list's row.
    void ChooseDir(std::string_view list, int row);
    // The user chose a drive list's row.
    void ChooseDrive(std::string_view list, int row);
    // A drive list is about to drop down.
    void DropDrives(std::string_view list);
    // A large directory's first rows have been drawn: the rest is read.
    void ReadRest(std::string_view list);
    // The closed list has been drawn: its drive's label, read if not yet known.
    void ReadShownLabel(std::string_view list);

    std::string Text(std::string_view box) const override;
    void SetText(std::string_view box, const std::string& text) override;
    bool Value(std::string_view option) const override;
    void SetValue(std::string_view option, bool on) override;
    int Check(std::string_view box) const override;
    void SetCheck(std::string_view box, int state) override;
    char Drive(std::string_view list) const override;
    void SetDrive(std::string_view list, char letter) override;
    bool SetPath(std::string_view list, const std::string& path, std::string* reason) override;
    std::string Path(std::string_view list) const override;
    void ShowFiles(std::string_view fileList, std::string_view dirList) override;
    std::string FileName(std::string_view fileList) const override;
    void Close() override;
    void Tell(const std::string& text) override;
    bool Ask(const std::string& text) override;
    std::string ChooseFile() override;

private:
    void DirShown(std::string_view list);
    void Relabel(std::string_view list);

    forms::Form& form_;
    HWND window_ = nullptr;
    int fills_ = 0;
    std::vector<Item> items_;
    std::map<std::string_view, forms::DriveRows> drives_;
    std::map<std::string_view, forms::DirRows> dirs_;
    std::map<std::string_view, forms::FileRows> files_;
    std::map<std::string, forms::KeptText<std::wstring>, std::less<>> texts_;
};

} // namespace win32front
