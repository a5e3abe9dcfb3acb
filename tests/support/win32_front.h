// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/host.h"
#include "front/win32/build.h"
#include "front/win32/system.h"
#include "front/win32/win32_front.h"

#include <string>
#include <vector>

// A window of a description built by the Win32 front, with every event it
// raises recorded instead of handled.
struct Recorder final : forms::Form {
    using forms::Form::Form;
    std::vector<std::string> raised;
    void Raise(std::string_view control, forms::Event event) override {
        raised.push_back(std::string(control) + (event == forms::Event::Change ? " Change" : ""));
    }
    forms::View& View() { return view(); }
};

struct Built {
    win32front::Win32Front front{GetModuleHandleW(nullptr)};
    forms::Host host{front};
    Recorder form;
    explicit Built(const forms::Description& description) : form(description) { host.Show(form); }
    ~Built() { front.Quit(); }
    HWND Window() const { return front.Handle(form); }
    HWND Control(std::string_view name) const {
        const auto& controls = form.description().controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].name == name) {
                return GetDlgItem(Window(), win32front::ControlId(i));
            }
        }
        return nullptr;
    }
    // A key as the message loop hands it on, to the focused control.
    bool Key(WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        return front.Preprocess(message);
    }
    int Dpi() const { return static_cast<int>(GetDpiForWindow(Window())); }
};
