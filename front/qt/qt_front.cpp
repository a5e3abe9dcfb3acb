// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/qt_front.h"

#include "front/qt/dialog_style.h"
#include "front/qt/dir_list.h"
#include "front/qt/drive_list.h"
#include "front/qt/file_dialog.h"
#include "front/qt/file_list.h"
#include "front/qt/kept_bytes.h"
#include "front/qt/menu_keys.h"
#include "front/qt/message_box.h"
#include "front/qt/task_bar.h"
#include "platform/files/paths.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
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

// A tab control whose controls are placed in twips from its own top left, the
// row of tabs included: they are put in place each time the pages are laid out.
class FormTabs : public QTabWidget {
public:
    using QTabWidget::QTabWidget;
    void Place(QWidget* control, QRect rect) {
        placed_.push_back({control, rect});
        control->setGeometry(rect);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QTabWidget::showEvent(event);
        PlaceAll();
    }
    void resizeEvent(QResizeEvent* event) override {
        QTabWidget::resizeEvent(event);
        PlaceAll();
    }

private:
    void PlaceAll() {
        for (const auto& [control, rect] : placed_) {
            if (control) {
                control->setGeometry(
                    rect.translated(-control->parentWidget()->mapTo(this, QPoint(0, 0))));
            }
        }
    }
    std::vector<std::pair<QPointer<QWidget>, QRect>> placed_;
};

// A check box as the system's: a click gives clear or checked, and only a
// stored value shows grayed.
class CheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {
        const int now = checkState() == Qt::Checked ? forms::kChecked : forms::kClear;
        setCheckState(forms::Clicked(now) == forms::kChecked ? Qt::Checked : Qt::Unchecked);
    }
};

// An option button whose group is kept exclusive by its click handler. Its
// group is one Tab stop, and the arrow keys select the next or previous option.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    std::vector<OptionButton*> group;
    std::function<void(OptionButton*)> clicked;

protected:
    void nextCheckState() override {} // the handler selects
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const int step = (key == Qt::Key_Down || key == Qt::Key_Right) ? 1
                         : (key == Qt::Key_Up || key == Qt::Key_Left)  ? -1
                                                                       : 0;
        if (step == 0 || group.size() < 2) {
            QRadioButton::keyPressEvent(event);
            return;
        }
        const auto self = std::find(group.begin(), group.end(), this) - group.begin();
        const auto size = static_cast<std::ptrdiff_t>(group.size());
        OptionButton* next = group[static_cast<std::size_t>((self + step + size) % size)];
        next->setFocus(Qt::TabFocusReason);
        clicked(next);
    }
};

// What the handlers see of one window.
class QtView final : public forms::View {
public:
    QtView(QWidget* window, const forms::Description& description, forms::Form& form)
        : window_(window), description_(description), form_(form) {}

    void Add(std::string_view name, QWidget* control) { controls_[std::string(name)] = control; }
    template <class T> T* Get(std::string_view name) const {
        const auto it = controls_.find(name);
        return it == controls_.end() ? nullptr : dynamic_cast<T*>(it->second);
    }

    std::string Text(std::string_view box) const override {
        const auto it = texts_.find(box);
        auto* edit = Get<QLineEdit>(box);
        return edit && it != texts_.end() ? it->second.Bytes(edit->text()) : std::string();
    }
    void SetText(std::string_view box, const std::string& text) override {
        if (auto* edit = Get<QLineEdit>(box)) {
            edit->setText(texts_[std::string(box)].Show(text));
            edit->setCursorPosition(0); // the drive letter in sight, not the end
        }
    }
    bool Value(std::string_view option) const override {
        auto* button = Get<QRadioButton>(option);
        return button && button->isChecked();
    }
    void SetValue(std::string_view option, bool on) override {
        if (auto* button = Get<OptionButton>(option)) {
            button->setChecked(on);
            KeepOneTabStop(button->group);
        }
    }
    int Check(std::string_view box) const override {
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
    void SetCheck(std::string_view box, int state) override {
        if (auto* check = Get<QCheckBox>(box)) {
            check->setCheckState(state == forms::kChecked  ? Qt::Checked
                                 : state == forms::kGrayed ? Qt::PartiallyChecked
                                                           : Qt::Unchecked);
        }
    }
    char Drive(std::string_view list) const override {
        auto* drives = Get<DriveList>(list);
        return drives ? drives->Drive() : 0;
    }
    void SetDrive(std::string_view list, char letter) override {
        if (auto* drives = Get<DriveList>(list)) {
            drives->SetDrive(letter);
        }
    }
    bool SetPath(std::string_view list, const std::string& path, std::string* reason) override {
        auto* dirs = Get<DirList>(list);
        bool changed = false;
        if (!dirs || !dirs->Open(path, reason, &changed)) {
            return false;
        }
        if (changed) {
            form_.Raise(list, forms::Event::Change);
        }
        return true;
    }
    std::string Path(std::string_view list) const override {
        if (auto* dirs = Get<DirList>(list)) {
            return dirs->rows().Path();
        }
        auto* files = Get<FileList>(list);
        return files ? files->rows().Path() : std::string();
    }
    void ShowFiles(std::string_view fileList, std::string_view dirList) override {
        auto* files = Get<FileList>(fileList);
        auto* dirs = Get<DirList>(dirList);
        if (files && dirs) {
            files->Show(dirs->rows().Path(), dirs->rows().Contents());
        }
    }
    std::string FileName(std::string_view fileList) const override {
        auto* files = Get<FileList>(fileList);
        return files ? files->FileName() : std::string();
    }
    void Close() override { window_->close(); }
    void Tell(const std::string& text) override {
        ShowMessage(window_, Caption(description_.caption), QString::fromLocal8Bit(text));
    }
    bool Ask(const std::string& text) override {
        return AskYesNo(window_, Caption(description_.caption), QString::fromLocal8Bit(text));
    }
    std::string ChooseFile() override { return qtfront::ChooseFile(window_); }

    // The user opened a directory list's entry.
    void DirChosen(std::string_view list, int row) {
        auto* dirs = Get<DirList>(list);
        const std::string target = dirs ? dirs->rows().RowPath(row) : std::string();
        if (target.empty() || target == dirs->rows().Path()) {
            return;
        }
        std::string reason;
        if (!SetPath(list, target, &reason)) {
            form_.ListFailed(list, target, reason);
        }
    }

    // Tab reaches a group at its selected option, or its first when none is.
    static void KeepOneTabStop(const std::vector<OptionButton*>& group) {
        OptionButton* stop = group.empty() ? nullptr : group.front();
        for (OptionButton* option : group) {
            if (option->isChecked()) {
                stop = option;
                break;
            }
        }
        for (OptionButton* option : group) {
            option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    }

private:
    QWidget* window_;
    const forms::Description& description_;
    forms::Form& form_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::map<std::string, KeptBytes, std::less<>> texts_;
};

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

// Where a dialog opens: its client area's top left at the fixed place, moved
// only as far as it takes to keep the whole dialog on the screen.
QPoint DialogPlace(const forms::Point& twips, QSize size) {
    QPoint place(Twips(twips.x), Twips(twips.y));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
        place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
    }
    return place;
}

QLabel* MakeLabel(const forms::Control& c, QWidget* parent) {
    const QString caption = Caption(c.caption);
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleName(caption);
    const qsizetype link = caption.indexOf(QStringLiteral("://"));
    const qsizetype start = link < 0 ? -1 : caption.lastIndexOf(QLatin1Char(' '), link) + 1;
    if (start < 0) {
        label->setText(caption);
        return label;
    }
    // An address opens by mouse only: a label is no Tab stop, and Enter must
    // not open a browser from a focus nobody sees.
    const QString address = caption.mid(start);
    label->setTextFormat(Qt::RichText);
    label->setText(
        caption.left(start).toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")) +
        QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setOpenExternalLinks(true);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

// The host ends the program when its last window has gone, dialogs included:
// Qt would end it with the main window, tool windows not counting.
QtFront::QtFront() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void QtFront::Build(forms::Form& form, forms::Host& host) {
    const forms::Description& d = form.description();
    QWidget* window = nullptr;
    QWidget* client = nullptr;
    QtView* view = nullptr;
    auto unloaded = [this, &form, &host] {
        windows_.erase(&form);
        host.Unloaded(form);
    };
    if (d.border == forms::Border::Sizable) {
        auto* frame = new Frame<QMainWindow>;
        client = new QWidget(frame);
        frame->setCentralWidget(client);
        frame->view = std::make_unique<QtView>(frame, d, form);
        frame->unloaded = unloaded;
        view = frame->view.get();
        window = frame;
    } else {
        auto* frame = new Frame<QWidget>;
        // A plain top-level widget rather than a QDialog: a QDialog would make a
        // button the default and close on Esc. It has no parent, so that an open
        // dialog keeps the program running after the main window has closed.
        frame->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint);
        frame->fixedDialog = true;
        frame->view = std::make_unique<QtView>(frame, d, form);
        frame->unloaded = unloaded;
        view = frame->view.get();
        window = client = frame;
    }
    window->setObjectName(Name(d.name));
    window->setWindowTitle(Caption(d.caption));
    window->setWindowIcon(ProgramIcon());
    window->setAttribute(Qt::WA_DeleteOnClose, true);

    std::map<std::string_view, QWidget*> widgets;
    std::map<std::string_view, std::vector<OptionButton*>> groups;
    auto raise = [&form](std::string_view name) { form.Raise(name, forms::Event::Click); };
    for (const forms::Control& c : d.controls) {
        QWidget* parent = client;
        FormTabs* tabs = nullptr;
        if (!c.container.empty()) {
            parent = widgets.at(c.container);
            if ((tabs = dynamic_cast<FormTabs*>(parent)) != nullptr) {
                parent = tabs->widget(c.page);
            }
        }
        const QString caption = Caption(c.caption);
        QWidget* w = nullptr;
        switch (c.kind) {
        case Kind::Button: {
            auto* button = new QPushButton(caption, parent);
            // Enter presses the focused button, and no button is the default.
            button->setAutoDefault(true);
            button->setDefault(false);
            QObject::connect(button, &QPushButton::clicked, button,
                             [raise, name = c.name] { raise(name); });
            w = button;
            break;
        }
        case Kind::Label:
            w = MakeLabel(c, parent);
            break;
        case Kind::TextBox: {
            auto* edit = new QLineEdit(parent);
            view->Add(c.name, edit);
            view->SetText(c.name, std::string(c.caption));
            w = edit;
            break;
        }
        case Kind::CheckBox: {
            auto* check = new CheckBox(caption, parent);
            check->setTristate(true);
            check->setCheckState(c.value == forms::kChecked  ? Qt::Checked
                                 : c.value == forms::kGrayed ? Qt::PartiallyChecked
                                                             : Qt::Unchecked);
            QObject::connect(check, &QCheckBox::clicked, check,
                             [raise, name = c.name] { raise(name); });
            w = check;
            break;
        }
        case Kind::Option: {
            auto* option = new OptionButton(caption, parent);
            option->setAutoExclusive(false);
            option->setChecked(c.value != 0);
            option->clicked = [raise](OptionButton* o) { raise(o->objectName().toStdString()); };
            QObject::connect(option, &QRadioButton::clicked, option,
                             [raise, name = c.name] { raise(name); });
            groups[c.container].push_back(option);
            w = option;
            break;
        }
        case Kind::Frame:
            w = new QGroupBox(caption, parent);
            break;
        case Kind::Tabs: {
            auto* t = new FormTabs(parent);
            for (const QString& tab : caption.split(QLatin1Char('|'))) {
                t->addTab(new QWidget, tab);
            }
            w = t;
            break;
        }
        case Kind::DriveList: {
            auto* drives = new DriveList(platform::PathMap::System().Drives(), parent);
            QObject::connect(drives, &DriveList::Change, drives,
                             [&form, name = c.name] { form.Raise(name, forms::Event::Change); });
            w = drives;
            break;
        }
        case Kind::DirList: {
            auto* dirs = new DirList(parent);
            QObject::connect(dirs, &DirList::Chosen, dirs,
                             [view, name = c.name](int row) { view->DirChosen(name, row); });
            w = dirs;
            break;
        }
        case Kind::FileList:
            w = new FileList(std::string(c.pattern), parent);
            break;
        }
        w->setObjectName(Name(c.name));
        if (w->accessibleName().isEmpty()) {
            w->setAccessibleName(caption.isEmpty() ? Name(c.name) : caption);
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
        view->Add(c.name, w);
    }
    for (auto& [container, group] : groups) {
        for (OptionButton* option : group) {
            option->group = group;
        }
        QtView::KeepOneTabStop(group);
    }

    // Tab in the order described; labels and frames take no focus.
    QWidget* previous = nullptr;
    for (const std::string_view name : d.TabOrder()) {
        QWidget* w = widgets.at(name);
        if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w)) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, w);
        } else {
            w->setFocus();
        }
        previous = w;
    }

    const QSize size(Twips(d.width), Twips(d.height));
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        std::map<std::string_view, QMenu*> menus;
        for (const forms::MenuItem& item : d.menus) {
            QMenu*& menu = menus[item.menu];
            if (menu == nullptr) {
                menu = main->menuBar()->addMenu(Caption(item.menuCaption));
                menu->setObjectName(Name(item.menu));
            }
            QAction* action = menu->addAction(Caption(item.caption));
            action->setObjectName(Name(item.name));
            QObject::connect(action, &QAction::triggered, action,
                             [raise, name = item.name] { raise(name); });
        }
        ReachMenuBarByKeyboard(main->menuBar());
        // The client area is fixed; the menu bar comes on top of it.
        client->setMinimumSize(size);
        main->resize(size.width(), size.height() + main->menuBar()->sizeHint().height());
        client->setMinimumSize(0, 0);
    } else {
        window->setFixedSize(size);
        if (d.position) {
            window->setGeometry(QRect(DialogPlace(*d.position, size), size));
        }
    }
    windows_[&form] = window;
    form.Attach(view);
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
