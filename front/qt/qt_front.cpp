// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/qt_front.h"

#include "forms/rules.h"
#include "front/qt/controls.h"
#include "front/qt/dialog_style.h"
#include "front/qt/dir_list.h"
#include "front/qt/drive_list.h"
#include "front/qt/file_list.h"
#include "front/qt/menu_keys.h"
#include "front/qt/qt_view.h"
#include "front/qt/task_bar.h"
#include "platform/files/paths.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <functional>
#include <memory>

namespace qtfront {
namespace {

using forms::Kind;

QString Caption(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A window that unloads its form as it closes.
template <class Base> class Frame : public Base {
public:
    std::unique_ptr<QtView> view;
    std::function<void()> unloaded;
    bool fixedDialog = false;

protected:
    void showEvent(QShowEvent* event) override {
        // Before the window is mapped, each time: the window manager reads the
        // request then, and drops it when the window is hidden.
        if (fixedDialog && !event->spontaneous()) {
            MarkFixedDialog(this);
        }
        Base::showEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        Base::closeEvent(event);
        if (event->isAccepted() && unloaded) {
            std::exchange(unloaded, nullptr)();
        }
    }
};

struct Built {
    QWidget* window = nullptr;
    QWidget* client = nullptr; // where the controls stand
    QtView* view = nullptr;
};

template <class Base> Built MakeFrame(forms::Form& form, std::function<void()> unloaded) {
    auto* frame = new Frame<Base>;
    frame->view = std::make_unique<QtView>(frame, form);
    frame->unloaded = std::move(unloaded);
    return {frame, frame, frame->view.get()};
}

Built BuildFrame(forms::Form& form, std::function<void()> unloaded) {
    const forms::Description& d = form.description();
    Built built;
    if (d.border == forms::Border::Sizable) {
        built = MakeFrame<QMainWindow>(form, std::move(unloaded));
        built.client = new QWidget(built.window);
        static_cast<QMainWindow*>(built.window)->setCentralWidget(built.client);
    } else {
        built = MakeFrame<QWidget>(form, std::move(unloaded));
        // A plain top-level widget rather than a QDialog: a QDialog would make a
        // button the default and close on Esc. It has no parent, so that an open
        // dialog keeps the program running after the main window has closed.
        built.window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowCloseButtonHint);
        static_cast<Frame<QWidget>*>(built.window)->fixedDialog = true;
    }
    built.window->setObjectName(Name(d.name));
    built.window->setWindowTitle(Caption(d.caption));
    built.window->setWindowIcon(ProgramIcon());
    built.window->setAttribute(Qt::WA_DeleteOnClose, true);
    return built;
}

// One control as a widget, wired to raise its events; not yet placed.
QWidget* MakeControl(const forms::Control& c, QWidget* parent, forms::Form& form, QtView& view) {
    const QString caption = Caption(c.caption);
    auto raise = [&form, name = c.name] { form.Raise(name, forms::Event::Click); };
    switch (c.kind) {
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        // Enter presses the focused button, and no button is the default.
        button->setAutoDefault(true);
        button->setDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, raise);
        return button;
    }
    case Kind::Label:
        return MakeLabel(c, parent);
    case Kind::TextBox: {
        auto* edit = new QLineEdit(parent);
        view.Add(c.name, edit);
        view.SetText(c.name, std::string(c.caption));
        return edit;
    }
    case Kind::CheckBox: {
        auto* check = new CheckBox(caption, parent);
        check->setTristate(true);
        view.Add(c.name, check);
        view.SetCheck(c.name, c.value);
        QObject::connect(check, &QCheckBox::clicked, check, raise);
        return check;
    }
    case Kind::Option: {
        auto* option = new OptionButton(caption, parent);
        option->setAutoExclusive(false);
        option->setChecked(c.value != 0);
        option->arrow = [&view, name = c.name](int step) { view.Arrow(name, step); };
        QObject::connect(option, &QRadioButton::clicked, option, raise);
        return option;
    }
    case Kind::Frame:
        return new QGroupBox(caption, parent);
    case Kind::Tabs: {
        auto* tabs = new FormTabs(parent);
        for (const std::string_view tab : forms::TabCaptions(c)) {
            tabs->addTab(new QWidget, Caption(tab));
        }
        return tabs;
    }
    case Kind::DriveList: {
        auto* drives = new DriveList(platform::PathMap::System().Drives(), parent);
        QObject::connect(drives, &DriveList::Chosen, drives,
                         [&view, name = c.name](int row) { view.ChooseDrive(name, row); });
        QObject::connect(drives, &DriveList::Step, drives,
                         [&view, name = c.name](int step) { view.StepDrive(name, step); });
        return drives;
    }
    case Kind::DirList: {
        auto* dirs = new DirList(parent);
        QObject::connect(dirs, &DirList::Chosen, dirs,
                         [&view, name = c.name](int row) { view.ChooseDir(name, row); });
        QObject::connect(dirs, &DirList::RestWanted, dirs,
                         [&view, name = c.name] { view.ReadRest(name); });
        return dirs;
    }
    case Kind::FileList:
        return new FileList(std::string(c.pattern), parent);
    }
    return nullptr;
}

std::map<std::string_view, QWidget*> BuildControls(const Built& built, forms::Form& form) {
    std::map<std::string_view, QWidget*> widgets;
    for (const forms::Control& c : form.description().controls) {
        QWidget* parent = built.client;
        FormTabs* tabs = nullptr;
        if (!c.container.empty()) {
            parent = widgets.at(c.container);
            if ((tabs = dynamic_cast<FormTabs*>(parent)) != nullptr) {
                parent = tabs->widget(c.page);
            }
        }
        QWidget* w = MakeControl(c, parent, form, *built.view);
        w->setObjectName(Name(c.name));
        if (w->accessibleName().isEmpty()) {
            w->setAccessibleName(c.caption.empty() ? Name(c.name) : Caption(c.caption));
        }
        if (!c.toolTip.empty()) {
            w->setToolTip(Caption(c.toolTip));
        }
        if (tabs != nullptr) {
            tabs->Place(w, Twips(c.rect));
        } else {
            w->setGeometry(Twips(c.rect));
        }
        widgets[c.name] = w;
        built.view->Add(c.name, w);
    }
    for (const forms::Control& c : form.description().controls) {
        if (c.kind == Kind::Option) {
            built.view->KeepOneTabStop(c.name);
        }
    }
    return widgets;
}

// Tab in the order described, from the first stop.
void SetTabOrder(const forms::Description& d, const std::map<std::string_view, QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (const std::string_view name : d.TabOrder()) {
        if (!forms::TakesFocus(d.Find(name)->kind)) {
            continue;
        }
        QWidget* w = widgets.at(name);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, w);
        } else {
            w->setFocus();
        }
        previous = w;
    }
}

void BuildMenus(QMainWindow* main, forms::Form& form) {
    std::map<std::string_view, QMenu*> menus;
    for (const forms::MenuItem& item : form.description().menus) {
        QMenu*& menu = menus[item.menu];
        if (menu == nullptr) {
            menu = main->menuBar()->addMenu(Caption(item.menuCaption));
            menu->setObjectName(Name(item.menu));
        }
        QAction* action = menu->addAction(Caption(item.caption));
        action->setObjectName(Name(item.name));
        QObject::connect(action, &QAction::triggered, action,
                         [&form, name = item.name] { form.Raise(name, forms::Event::Click); });
    }
    ReachMenuBarByKeyboard(main->menuBar());
}

// The client area at its size; a dialog at its place, moved only as far as it
// takes to keep it whole on the screen.
void Place(const Built& built, const forms::Description& d) {
    const QSize size(Twips(d.width), Twips(d.height));
    if (auto* main = qobject_cast<QMainWindow*>(built.window)) {
        // The client area is fixed; the menu bar comes on top of it.
        built.client->setMinimumSize(size);
        main->resize(size.width(), size.height() + main->menuBar()->sizeHint().height());
        built.client->setMinimumSize(0, 0);
        return;
    }
    built.window->setFixedSize(size);
    if (d.position) {
        forms::Point place{Twips(d.position->x), Twips(d.position->y)};
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            place =
                forms::KeepWithin(place, size.width(), size.height(),
                                  {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        }
        built.window->setGeometry(QRect(QPoint(place.x, place.y), size));
    }
}

} // namespace

// The host ends the program when its last window has gone, dialogs included:
// Qt would end it with the main window, tool windows not counting.
QtFront::QtFront() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void QtFront::Build(forms::Form& form, forms::Host& host) {
    const Built built = BuildFrame(form, [this, &form, &host] {
        windows_.erase(&form);
        host.Unloaded(form);
    });
    SetTabOrder(form.description(), BuildControls(built, form));
    if (auto* main = qobject_cast<QMainWindow*>(built.window)) {
        BuildMenus(main, form);
    }
    Place(built, form.description());
    windows_[&form] = built.window;
    form.Attach(built.view);
}

void QtFront::Show(forms::Form& form) {
    QWidget* window = Window(form);
    if (window == nullptr) {
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void QtFront::Quit() {
    QCoreApplication::quit();
}

QWidget* QtFront::Window(const forms::Form& form) const {
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.data();
}

} // namespace qtfront
