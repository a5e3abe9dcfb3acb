// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/win32_front.h"

#include "front/win32/dialog_keys.h"
#include "front/win32/system.h"
#include "front/win32/window.h"

namespace win32front {

Win32Front::Win32Front(HINSTANCE instance) : instance_(instance) {
    RegisterClasses(instance, &Window::Procedure);
}

Win32Front::~Win32Front() {
    for (auto& [form, window] : windows_) {
        SetWindowLongPtrW(window->hwnd(), GWLP_USERDATA, 0);
        DestroyWindow(window->hwnd());
        window->form().Attach(nullptr);
    }
    if (owner_) {
        DestroyWindow(owner_);
    }
}

HWND Win32Front::Owner() {
    // Never shown: the dialogs it owns stay out of the task bar and outlive
    // the main window. Made with the first dialog, not before the main window.
    if (!owner_) {
        owner_ = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr);
    }
    return owner_;
}

void Win32Front::Build(forms::Form& form, forms::Host& host) {
    gone_.clear();
    auto window = std::make_unique<Window>(form, [this, &form, &host] { Gone(form, host); });
    Window* built = window.get();
    windows_[&form] = std::move(window);
    built->Create(instance_,
                  form.description().border == forms::Border::Sizable ? nullptr : Owner());
    form.Attach(&built->view());
}

void Win32Front::Show(forms::Form& form) {
    const auto it = windows_.find(&form);
    if (it != windows_.end()) {
        it->second->Show();
    }
}

void Win32Front::Quit() {
    PostQuitMessage(0);
}

int Win32Front::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (Preprocess(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    gone_.clear();
    return static_cast<int>(message.wParam);
}

bool Win32Front::Preprocess(const MSG& message) {
    const bool mouse = (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
                       message.message == WM_MOUSEHOVER || message.message == WM_MOUSELEAVE;
    const bool key = message.message == WM_KEYDOWN || message.message == WM_CHAR;
    if (!mouse && !key) {
        return false;
    }
    Window* window = Find(GetAncestor(message.hwnd, GA_ROOT));
    if (window == nullptr) {
        return false;
    }
    if (mouse) {
        window->ListMouse(message);
        return false;
    }
    return DialogKey(window->view(), message);
}

HWND Win32Front::Handle(const forms::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second->hwnd();
}

std::vector<std::string_view> Win32Front::TabStops(const forms::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? std::vector<std::string_view>()
                                : win32front::TabStops(it->second->view());
}

Window* Win32Front::Find(HWND hwnd) const {
    for (const auto& [form, window] : windows_) {
        if (window->hwnd() == hwnd) {
            return window.get();
        }
    }
    return nullptr;
}

// The window has been destroyed: its view stays until its handlers have returned.
void Win32Front::Gone(forms::Form& form, forms::Host& host) {
    const auto it = windows_.find(&form);
    if (it == windows_.end()) {
        return;
    }
    gone_.push_back(std::move(it->second));
    windows_.erase(it);
    host.Unloaded(form);
}

} // namespace win32front
