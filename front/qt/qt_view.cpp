// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/qt_view.h"

#include "forms/rules.h"
#include "front/qt/dir_list.h"
#include "front/qt/drive_list.h"
#include "front/qt/file_dialog.h"
#include "front/qt/file_list.h"
#include "front/qt/message_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace qtfront {
namespace {
QString Caption(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
} // namespace

void QtView::ChooseDir(std::string_view list, int row) {
    if (auto* dirs = Get<DirList>(list)) {
        forms::ChooseDir(form_, list, dirs->rows(), row, [dirs] { dirs->Shown(); });
    }
}

void QtView::ReadRest(std::string_view list) {
    auto* dirs = Get<DirList>(list);
    if (dirs == nullptr) {
        return;
    }
    forms::ReadRest(
        dirs->rows(), [dirs] { dirs->Shown(); },
        [this, dirs](const platform::Listing& was) {
            for (const auto& named : controls_) {
                if (auto* files = dynamic_cast<FileList*>(named.second)) {
                    files->Grow(dirs->rows(), was);
                }
            }
        });
}

void QtView::ChooseDrive(std::string_view list, int row) {
    if (auto* drives = Get<DriveList>(list)) {
        forms::ChooseDrive(form_, list, drives->rows(), row);
        drives->Relabel();
    }
}

void QtView::StepDrive(std::string_view list, int step) {
    auto* drives = Get<DriveList>(list);
    if (drives == nullptr) {
        return;
    }
    const int from = drives->rows().RowOf(drives->Drive());
    const int row = forms::StepDrive(drives->rows(), from, step);
    if (row != from) {
        drives->setCurrentIndex(row);
        ChooseDrive(list, row);
    }
}

void QtView::Arrow(std::string_view option, int step) {
    const std::string_view next = forms::NextInGroup(form_.description(), option, step);
    if (auto* button = Get<QWidget>(next)) {
        button->setFocus(Qt::TabFocusReason);
    }
    form_.Raise(next, forms::Event::Click);
}

void QtView::KeepOneTabStop(std::string_view option) {
    const forms::Description& d = form_.description();
    const std::string_view stop =
        forms::GroupStop(d, option, [this](std::string_view o) { return Value(o); });
    for (const std::string_view member : d.GroupOf(option)) {
        if (auto* button = Get<QWidget>(member)) {
            button->setFocusPolicy(member == stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }
}

std::string QtView::Text(std::string_view box) const {
    const auto it = texts_.find(box);
    auto* edit = Get<QLineEdit>(box);
    return edit && it != texts_.end() ? it->second.Bytes(edit->text()) : std::string();
}

void QtView::SetText(std::string_view box, const std::string& text) {
    if (auto* edit = Get<QLineEdit>(box)) {
        edit->setText(texts_[std::string(box)].Show(text));
        edit->setCursorPosition(0); // the drive letter in sight, not the end
    }
}

bool QtView::Value(std::string_view option) const {
    auto* button = Get<QRadioButton>(option);
    return button && button->isChecked();
}

void QtView::SetValue(std::string_view option, bool on) {
    if (auto* button = Get<QRadioButton>(option)) {
        button->setChecked(on);
        KeepOneTabStop(option);
    }
}

int QtView::Check(std::string_view box) const {
    auto* check = Get<QCheckBox>(box);
    if (!check) {
        return forms::kClear;
    }
    switch (check->checkState()) {
    case Qt::Checked:
        return forms::kChecked;
    case Qt::PartiallyChecked:
        return forms::kGrayed;
    default:
        return forms::kClear;
    }
}

void QtView::SetCheck(std::string_view box, int state) {
    if (auto* check = Get<QCheckBox>(box)) {
        check->setCheckState(state == forms::kChecked  ? Qt::Checked
                             : state == forms::kGrayed ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
    }
}

char QtView::Drive(std::string_view list) const {
    auto* drives = Get<DriveList>(list);
    return drives ? drives->Drive() : 0;
}

void QtView::SetDrive(std::string_view list, char letter) {
    if (auto* drives = Get<DriveList>(list)) {
        drives->SetDrive(letter);
    }
}

bool QtView::SetPath(std::string_view list, const std::string& path, std::string* reason) {
    auto* dirs = Get<DirList>(list);
    return dirs != nullptr &&
           forms::OpenDir(form_, list, dirs->rows(), path, reason, [dirs] { dirs->Shown(); });
}

std::string QtView::Path(std::string_view list) const {
    if (auto* dirs = Get<DirList>(list)) {
        return dirs->rows().Path();
    }
    auto* files = Get<FileList>(list);
    return files ? files->rows().Path() : std::string();
}

void QtView::ShowFiles(std::string_view fileList, std::string_view dirList) {
    auto* files = Get<FileList>(fileList);
    auto* dirs = Get<DirList>(dirList);
    if (files && dirs) {
        files->Show(dirs->rows().Path(), dirs->rows().Contents());
    }
}

std::string QtView::FileName(std::string_view fileList) const {
    auto* files = Get<FileList>(fileList);
    return files ? files->FileName() : std::string();
}

void QtView::Tell(const std::string& text) {
    ShowMessage(window_, Caption(form_.description().caption),
                QString::fromLocal8Bit(forms::FitMessage(text)));
}

bool QtView::Ask(const std::string& text) {
    return AskYesNo(window_, Caption(form_.description().caption),
                    QString::fromLocal8Bit(forms::FitMessage(text)));
}

std::string QtView::ChooseFile() {
    return qtfront::ChooseFile(window_);
}

} // namespace qtfront
