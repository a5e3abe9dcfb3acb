// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/form.h"
#include "front/qt/kept_bytes.h"

#include <QWidget>
#include <map>
#include <string>

namespace qtfront {

// What the handlers see of one window: its controls by name.
class QtView final : public forms::View {
public:
    QtView(QWidget* window, forms::Form& form) : window_(window), form_(form) {}

    void Add(std::string_view name, QWidget* control) { controls_[std::string(name)] = control; }
    template <class T> T* Get(std::string_view name) const {
        const auto it = controls_.find(name);
        return it == controls_.end() ? nullptr : dynamic_cast<T*>(it->second);
    }

    // What the user does in a control that the rules decide.
    void ChooseDir(std::string_view list, int row);
    // A directory list's first rows have been painted.
    void ReadRest(std::string_view list);
    void ChooseDrive(std::string_view list, int row);
    void StepDrive(std::string_view list, int step);
    void Arrow(std::string_view option, int step);
    // Tab reaches an option's group at one of them only.
    void KeepOneTabStop(std::string_view option);

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
    void Close() override { window_->close(); }
    void Tell(const std::string& text) override;
    bool Ask(const std::string& text) override;
    std::string ChooseFile() override;

private:
    QWidget* window_;
    forms::Form& form_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::map<std::string, KeptBytes, std::less<>> texts_;
};

} // namespace qtfront
