// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/description.h"
#include "forms/view.h"

#include <span>
#include <string>
#include <string_view>

namespace forms {

enum class Event { Load, Click, Change };

// The handlers of one window, reaching its controls through its view while it
// is loaded. The object outlives its window: a window closed and shown again
// is built afresh and loaded again.
class Form {
public:
    explicit Form(const Description& description) : description_(description) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const Description& description() const { return description_; }
    bool Loaded() const { return view_ != nullptr; }
    // The front attaches the view of the window it built, and detaches it as
    // the window goes.
    void Attach(View* view) { view_ = view; }

    // What the window raises: a control's event, or the form's own Load under
    // its name. An event without a handler does nothing.
    virtual void Raise(std::string_view control, Event event) = 0;
    // Once the window is built, before its load: what its controls do by themselves.
    virtual void Created() {}
    // Once the window, just loaded, is on screen.
    virtual void Shown() {}
    // A list could not open what the user chose in it.
    virtual void ListFailed(std::string_view /*list*/, const std::string& /*path*/,
                            const std::string& /*reason*/) {}

protected:
    View& view() { return *view_; }

private:
    const Description& description_;
    View* view_ = nullptr;
};

template <class F> struct Wire {
    std::string_view control;
    Event event;
    void (F::*handler)();
};

// A form whose events reach its handlers through one table, F::Wiring().
template <class F> class FormOf : public Form {
public:
    using Form::Form;
    void Raise(std::string_view control, Event event) override {
        for (const Wire<F>& wire : F::Wiring()) {
            if (wire.control == control && wire.event == event) {
                (static_cast<F*>(this)->*wire.handler)();
                return;
            }
        }
    }
};

// What the dialogs call on the main window.
class MainWindow {
public:
    virtual ~MainWindow() = default;
    // The short path of a directory path ending in "\"; uses no window state.
    virtual std::string ShortPath(const std::string& path) const = 0;
    // Reads the stored emulator directory again.
    virtual void reload() = 0;
};

} // namespace forms
