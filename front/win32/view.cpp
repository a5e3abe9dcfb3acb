// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/view.h"

#include "forms/rules.h"
#include "front/win32/message_box.h"
#include "front/win32/system.h"
#include "front/win32/text.h"

#include <commdlg.h>

namespace win32front {
namespace {

// Sets a list's row count at once, its redraw held meanwhile: a list of
// owner-drawn rows without strings fills in no time, whatever its length.
// A list not shown yet has nothing to hold back, and all to paint once shown.
void Fill(HWND list, int count) {
    const bool shown = IsWindowVisible(list) != FALSE;
    if (shown) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    }
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    if (shown) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
}

template <class Map> auto* Find(Map& map, std::string_view key) {
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

void Win32View::Add(const Item& item) {
    items_.push_back(item);
}

const Item* Win32View::ItemOf(std::string_view name) const {
    for (const Item& item : items_) {
        if (item.control->name == name) {
            return &item;
        }
    }
    return nullptr;
}

const Item* Win32View::ItemOf(HWND control) const {
    for (const Item& item : items_) {
        if (item.hwnd == control) {
            return &item;
        }
    }
    return nullptr;
}

HWND Win32View::Control(std::string_view name) const {
    const Item* item = ItemOf(name);
    return item ? item->hwnd : nullptr;
}

forms::DriveRows* Win32View::Drives(std::string_view list) {
    return Find(drives_, list);
}
forms::DirRows* Win32View::Dirs(std::string_view list) {
    return Find(dirs_, list);
}
forms::FileRows* Win32View::Files(std::string_view list) {
    return Find(files_, list);
}
const forms::DirRows* Win32View::Dirs(std::string_view list) const {
    return Find(dirs_, list);
}
const forms::FileRows* Win32View::Files(std::string_view list) const {
    return Find(files_, list);
}

void Win32View::AddDrives(std::string_view list, forms::DriveRows rows) {
    drives_.emplace(list, std::move(rows));
}
void Win32View::AddDirs(std::string_view list) {
    dirs_.emplace(list, forms::DirRows());
}
void Win32View::AddFiles(std::string_view list, std::string pattern) {
    files_.emplace(list, forms::FileRows(std::move(pattern)));
}

// The open directory is highlighted, as the system's own list shows it.
void Win32View::DirShown(std::string_view list) {
    const forms::DirRows& rows = *Dirs(list);
    Fill(Control(list), rows.Count());
    ++fills_;
    SendMessageW(Control(list), LB_SETCURSEL, static_cast<WPARAM>(rows.OpenRow()), 0);
}

void Win32View::ChooseDir(std::string_view list, int row) {
    if (forms::DirRows* rows = Dirs(list)) {
        forms::ChooseDir(form_, list, *rows, row, [this, list] { DirShown(list); });
    }
}

void Win32View::ReadRest(std::string_view list) {
    forms::DirRows* dirs = Dirs(list);
    if (dirs == nullptr) {
        return;
    }
    forms::ReadRest(
        *dirs, [this, list] { DirShown(list); },
        [this, dirs](const platform::Listing& was) {
            for (auto& [name, files] : files_) {
                HWND control = Control(name);
                auto selected = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
                if (files.Grow(*dirs, was, &selected)) {
                    Fill(control, files.Count());
                    ++fills_;
                    SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
                }
            }
        });
}

void Win32View::ChooseDrive(std::string_view list, int row) {
    if (forms::DriveRows* rows = Drives(list)) {
        forms::ChooseDrive(form_, list, *rows, row);
        Relabel(list);
    }
}

void Win32View::DropDrives(std::string_view list) {
    if (forms::DriveRows* rows = Drives(list)) {
        rows->ReadLabels();
        Relabel(list);
    }
}

void Win32View::ReadShownLabel(std::string_view list) {
    if (forms::DriveRows* rows = Drives(list); rows && rows->ReadShownLabel()) {
        Relabel(list); // drawn again only where the label shows
    }
}

// The rows' strings follow the labels read: other programs (screen readers)
// read the list by them, and its type-ahead goes by them.
void Win32View::Relabel(std::string_view list) {
    const forms::DriveRows& rows = *Drives(list);
    HWND combo = Control(list);
    const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    bool changed = false;
    for (int row = 0; row < rows.Count(); ++row) {
        const std::wstring text = FromCodePage(rows.Text(row));
        std::wstring now(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, row, 0)) + 1,
                         L'\0');
        now.resize(static_cast<std::size_t>(
            SendMessageW(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(now.data()))));
        if (now != text) {
            SendMessageW(combo, CB_DELETESTRING, row, 0);
            SendMessageW(combo, CB_INSERTSTRING, row, reinterpret_cast<LPARAM>(text.c_str()));
            changed = true;
        }
    }
    if (changed) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
}

std::string Win32View::Text(std::string_view box) const {
    HWND edit = Control(box);
    if (!edit) {
        return {};
    }
    const auto kept = texts_.find(box);
    const std::wstring now = WindowText(edit);
    return kept == texts_.end() ? ToCodePage(now) : kept->second.Bytes(now, ToCodePage);
}

void Win32View::SetText(std::string_view box, const std::string& text) {
    if (HWND edit = Control(box)) {
        SetWindowTextW(edit, texts_[std::string(box)].Keep(text, FromCodePage(text)).c_str());
    }
}

bool Win32View::Value(std::string_view option) const {
    HWND button = Control(option);
    return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32View::SetValue(std::string_view option, bool on) {
    if (HWND button = Control(option)) {
        SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

int Win32View::Check(std::string_view box) const {
    HWND button = Control(box);
    if (!button) {
        return forms::kClear;
    }
    const LRESULT state = SendMessageW(button, BM_GETCHECK, 0, 0);
    return state == BST_CHECKED         ? forms::kChecked
           : state == BST_INDETERMINATE ? forms::kGrayed
                                        : forms::kClear;
}

void Win32View::SetCheck(std::string_view box, int state) {
    if (HWND button = Control(box)) {
        SendMessageW(button, BM_SETCHECK,
                     state == forms::kChecked  ? BST_CHECKED
                     : state == forms::kGrayed ? BST_INDETERMINATE
                                               : BST_UNCHECKED,
                     0);
    }
}

char Win32View::Drive(std::string_view list) const {
    const auto it = drives_.find(list);
    return it == drives_.end() ? 0 : it->second.Drive();
}

void Win32View::SetDrive(std::string_view list, char letter) {
    forms::DriveRows* rows = Drives(list);
    if (rows == nullptr) {
        return;
    }
    rows->Show(letter);
    Relabel(list);
    SendMessageW(Control(list), CB_SETCURSEL, static_cast<WPARAM>(rows->RowOf(rows->Drive())), 0);
}

bool Win32View::SetPath(std::string_view list, const std::string& path, std::string* reason) {
    forms::DirRows* rows = Dirs(list);
    return rows != nullptr &&
           forms::OpenDir(form_, list, *rows, path, reason, [this, list] { DirShown(list); });
}

std::string Win32View::Path(std::string_view list) const {
    if (const forms::DirRows* rows = Dirs(list)) {
        return rows->Path();
    }
    const forms::FileRows* rows = Files(list);
    return rows ? rows->Path() : std::string();
}

void Win32View::ShowFiles(std::string_view fileList, std::string_view dirList) {
    forms::FileRows* files = Files(fileList);
    const forms::DirRows* dirs = Dirs(dirList);
    if (files && dirs) {
        files->Show(dirs->Path(), dirs->Contents());
        Fill(Control(fileList), files->Count());
        ++fills_;
    }
}

std::string Win32View::FileName(std::string_view fileList) const {
    const forms::FileRows* files = Files(fileList);
    if (files == nullptr) {
        return {};
    }
    const auto row = static_cast<int>(SendMessageW(Control(fileList), LB_GETCURSEL, 0, 0));
    return row >= 0 && row < files->Count() ? files->Name(row) : std::string();
}

void Win32View::Close() {
    DestroyWindow(window_);
}

void Win32View::Tell(const std::string& text) {
    ShowMessage(window_, FromUtf8(description().caption), FromCodePage(forms::FitMessage(text)),
                false);
}

bool Win32View::Ask(const std::string& text) {
    return ShowMessage(window_, FromUtf8(description().caption),
                       FromCodePage(forms::FitMessage(text)), true);
}

std::string Win32View::ChooseFile() {
    std::string name(32768, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    static const auto open =
        SystemFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>(L"comdlg32.dll", "GetOpenFileNameA");
    if (!open || !open(&dialog)) {
        return {};
    }
    name.resize(name.find('\0'));
    return name;
}

} // namespace win32front
