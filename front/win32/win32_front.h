// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include "forms/host.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace win32front {

class Window;

// The windows as plain Win32 controls, built from the forms' descriptions:
// their classes, the hidden window that owns the dialogs, and the message loop.
class Win32Front final : public forms::Front {
public:
    explicit Win32Front(HINSTANCE instance);
    ~Win32Front() override;
    Win32Front(const Win32Front&) = delete;
    Win32Front& operator=(const Win32Front&) = delete;

    void Build(forms::Form& form, forms::Host& host) override;
    void Show(forms::Form& form) override;
    void Quit() override;

    // Runs the windows until the last one has gone; the program's exit code.
    int Run();
    // The keys the windows handle themselves before the focused control sees
    // them: true when `message` was one of them and is done with. The mouse
    // over a list is followed on its way, for the tip of a cut row.
    bool Preprocess(const MSG& message);

    // A loaded form's window; null when it is not loaded.
    HWND Handle(const forms::Form& form) const;
    // The controls Tab visits now, in order.
    std::vector<std::string_view> TabStops(const forms::Form& form) const;

private:
    HWND Owner();
    Window* Find(HWND hwnd) const;
    void Gone(forms::Form& form, forms::Host& host);

    HINSTANCE instance_;
    HWND owner_ = nullptr; // owns the dialogs: keeps them out of the task bar
    std::map<const forms::Form*, std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> gone_; // freed once their handlers have returned
};

} // namespace win32front
