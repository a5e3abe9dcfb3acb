// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/host.h"
#include "forms/lists.h"
#include "forms/rules.h"
#include "support/fakes.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A window without a toolkit: its controls' states by name, the user's actions
// as calls, and what it told or asked the user.
namespace fakes {

class View final : public forms::View {
public:
    View(forms::Form& form, forms::Host& host) : form_(form), host_(host) {
        for (const forms::Control& c : form.description().controls) {
            const std::string name(c.name);
            switch (c.kind) {
            case forms::Kind::TextBox:
                text[name] = std::string(c.caption);
                break;
            case forms::Kind::Option:
            case forms::Kind::CheckBox:
                state[name] = c.value;
                break;
            case forms::Kind::DriveList:
                drives.emplace(platform::PathMap::System().Drives());
                break;
            case forms::Kind::FileList:
                files.emplace(std::string(c.pattern));
                break;
            default:
                break;
            }
        }
    }

    // The user's actions.
    void Click(const std::string& name) {
        const forms::Control* c = form_.description().Find(name);
        if (c != nullptr && c->kind == forms::Kind::CheckBox) {
            state[name] = forms::Clicked(state[name]);
        }
        form_.Raise(name, forms::Event::Click);
    }
    void ChooseDrive(char letter) {
        forms::ChooseDrive(form_, "Drive", *drives, drives->RowOf(letter));
    }
    // Down (1) or Up (-1) on the closed drive list.
    void StepDrive(int step) {
        const int from = drives->RowOf(drives->Drive());
        const int row = forms::StepDrive(*drives, from, step);
        if (row != from) {
            forms::ChooseDrive(form_, "Drive", *drives, row);
        }
    }
    void OpenDir(const std::string& name) {
        for (int row = 0; row < dirs.Count(); ++row) {
            if (dirs.Name(row) == name) {
                forms::ChooseDir(form_, "Dir", dirs, row, {});
                return;
            }
        }
    }
    // An arrow key on an option: the next one in its group is clicked.
    void Arrow(const std::string& option, int step) {
        Click(std::string(forms::NextInGroup(form_.description(), option, step)));
    }
    void SelectFile(const std::string& name) {
        files->Select(-1);
        for (int row = 0; row < files->Count(); ++row) {
            if (files->Name(row) == name) {
                files->Select(row);
            }
        }
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (int row = 0; row < files->Count(); ++row) {
            names.push_back(files->Name(row));
        }
        return names;
    }

    // Shown as they are: what a test types in `text` is the edited text.
    std::string Text(std::string_view box) const override {
        const auto it = kept_.find(box);
        const std::string now = Find(text, box);
        return it == kept_.end() ? now
                                 : it->second.Bytes(now, [](const std::string& e) { return e; });
    }
    void SetText(std::string_view box, const std::string& t) override {
        text[std::string(box)] = kept_[std::string(box)].Keep(t, t);
    }
    bool Value(std::string_view option) const override { return Find(state, option) != 0; }
    void SetValue(std::string_view option, bool on) override {
        state[std::string(option)] = on ? 1 : 0;
    }
    int Check(std::string_view box) const override { return Find(state, box); }
    void SetCheck(std::string_view box, int s) override { state[std::string(box)] = s; }
    char Drive(std::string_view) const override { return drives->Drive(); }
    void SetDrive(std::string_view, char letter) override { drives->Show(letter); }
    bool SetPath(std::string_view list, const std::string& path, std::string* reason) override {
        return forms::OpenDir(form_, list, dirs, path, reason, {});
    }
    std::string Path(std::string_view list) const override {
        return list == "File" ? files->Path() : dirs.Path();
    }
    void ShowFiles(std::string_view, std::string_view) override {
        files->Show(dirs.Path(), dirs.Contents());
    }
    std::string FileName(std::string_view) const override { return files->FileName(); }
    void Close() override {
        closed = true;
        host_.Unloaded(form_);
    }
    void Tell(const std::string& t) override {
        told.push_back(t);
        toldOffScreen += onScreen ? 0 : 1;
    }
    bool Ask(const std::string& t) override {
        asked.push_back(t);
        return answer;
    }
    std::string ChooseFile() override {
        ++chooserShown;
        if (chosen.empty()) {
            return {};
        }
        std::string file = chosen.front();
        chosen.pop_front();
        return file;
    }

    std::map<std::string, std::string, std::less<>> text;
    std::map<std::string, int, std::less<>> state; // options 0/1, check boxes 0/1/2
    std::optional<forms::DriveRows> drives;
    forms::DirRows dirs;
    std::optional<forms::FileRows> files;
    std::vector<std::string> told;
    int toldOffScreen = 0; // messages with no window on screen to stand over
    bool onScreen = false;
    std::vector<std::string> asked;
    bool answer = false;
    std::deque<std::string> chosen; // what the open-file dialog gives, "" a cancel
    int chooserShown = 0;
    bool closed = false;

private:
    template <class Map>
    static typename Map::mapped_type Find(const Map& map, std::string_view key) {
        const auto it = map.find(key);
        return it == map.end() ? typename Map::mapped_type{} : it->second;
    }

    forms::Form& form_;
    forms::Host& host_;
    std::map<std::string, forms::KeptText<std::string>, std::less<>> kept_;
};

class Front final : public forms::Front {
public:
    void Build(forms::Form& form, forms::Host& host) override {
        auto view = std::make_unique<View>(form, host);
        form.Attach(view.get());
        views_.push_back(std::move(view));
        current_[&form] = views_.back().get();
    }
    void Show(forms::Form& form) override {
        ++shown[&form];
        current_.at(&form)->onScreen = true;
    }
    void Quit() override { quit = true; }

    // The window the form has now, or had last.
    View& Of(const forms::Form& form) { return *current_.at(&form); }

    std::map<const forms::Form*, int> shown;
    bool quit = false;

private:
    std::vector<std::unique_ptr<View>> views_; // closed ones too: a handler may still run
    std::map<const forms::Form*, View*> current_;
};

// The program with its operating system faked and its windows toolkit-free.
struct Program {
    System system;
    Front front;
    forms::Host host{front};
    platform::Services services() { return system.services(); }
};

} // namespace fakes
