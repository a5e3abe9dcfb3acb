// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/task_bar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#ifdef VORLANES_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <xcb/xcb.h>
#endif

namespace qtfront {

#ifdef VORLANES_HAVE_XCB
namespace {
// The XCB functions are taken from the copy Qt's X11 platform has loaded.
// Linking XCB would load it before main and put it in the way of every symbol
// the Qt libraries look up at start-up, for a request only a dialog makes.
struct Xcb {
    decltype(&xcb_intern_atom) internAtom = nullptr;
    decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
    decltype(&xcb_change_property) changeProperty = nullptr;
    decltype(&xcb_flush) flush = nullptr;

    // Null where XCB is not loaded (another platform) or lacks a function.
    static const Xcb* Loaded() {
        static const Xcb* const loaded = []() -> const Xcb* {
            void* library = dlopen("libxcb.so.1", RTLD_NOW | RTLD_NOLOAD);
            if (!library) {
                return nullptr;
            }
            static Xcb xcb; // the platform keeps the library loaded; no dlclose
            Take(library, "xcb_intern_atom", xcb.internAtom);
            Take(library, "xcb_intern_atom_reply", xcb.internAtomReply);
            Take(library, "xcb_change_property", xcb.changeProperty);
            Take(library, "xcb_flush", xcb.flush);
            const bool complete =
                xcb.internAtom && xcb.internAtomReply && xcb.changeProperty && xcb.flush;
            return complete ? &xcb : nullptr;
        }();
        return loaded;
    }

private:
    template <typename Function> static void Take(void* library, const char* name, Function& to) {
        to = reinterpret_cast<Function>(dlsym(library, name));
    }
};

xcb_atom_t Atom(const Xcb& xcb, xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb.internAtom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb.internAtomReply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}
} // namespace
#endif

namespace {

void Mark(QWidget* window, bool fixed) {
#ifdef VORLANES_HAVE_XCB
    // An X11 window manager learns it from _NET_WM_STATE as the window is
    // mapped; Qt adds its own states to what it finds there. Elsewhere (Wayland,
    // no display) there is no such request to make.
    // The offscreen platform answers as an X11 one too, without a connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection() ||
        !window->isWindow()) {
        return;
    }
    const Xcb* xcb = Xcb::Loaded();
    if (!xcb) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(*xcb, connection, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(*xcb, connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) {
        return;
    }
    xcb->changeProperty(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
    // Qt offers resizing to the window manager whatever the window's flags;
    // a fixed dialog may only be moved and closed.
    const xcb_atom_t motif = Atom(*xcb, connection, "_MOTIF_WM_HINTS");
    if (fixed && motif != XCB_ATOM_NONE) {
        constexpr uint32_t kFunctions = 1, kDecorations = 2;
        constexpr uint32_t kMove = 4, kClose = 32;
        constexpr uint32_t kBorder = 2, kTitle = 8, kMenu = 16;
        const uint32_t hints[5] = {kFunctions | kDecorations, kMove | kClose,
                                   kBorder | kTitle | kMenu, 0, 0};
        xcb->changeProperty(connection, XCB_PROP_MODE_REPLACE, id, motif, motif, 32, 5, hints);
    }
    xcb->flush(connection);
#else
    (void)window;
    (void)fixed;
#endif
}

// Before each mapping, as the window manager drops the request with the window hidden.
class OffTaskBar : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            Mark(static_cast<QWidget*>(watched), false);
        }
        return false;
    }
};

} // namespace

void MarkFixedDialog(QWidget* window) {
    Mark(window, true);
}

void KeepOffTaskBar(QWidget* window) {
    window->installEventFilter(new OffTaskBar(window));
}

} // namespace qtfront
