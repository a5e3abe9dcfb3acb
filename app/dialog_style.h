// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QPushButton>
#include <QWidget>

// Sizes and places are given in twips: 15 twips to a device-independent pixel.
int Twips(int twips);
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// The look every dialog of the program shares: a fixed frame with a close box
// and no minimise or maximise button, out of the task bar, the program's icon,
// opening at one fixed place on the screen. Closing it unloads it.
//
// It is a plain top-level widget rather than a QDialog: a QDialog would make a
// button the default and close on Esc, and here Enter presses only the focused
// button and Esc does nothing. It has no parent, so that an open dialog keeps
// the program running after the main window has closed.
class VbDialog : public QWidget {
    Q_OBJECT
public:
    VbDialog(const char* objectName, const QString& caption, int clientWidthTwips,
             int clientHeightTwips);

    // A push button of the shared size (1215 by 375 twips) at the given place;
    // Enter presses it when it has the focus.
    QPushButton* AddButton(const char* objectName, const QString& caption, int leftTwips,
                           int topTwips);

    // Buttons that Enter presses when focused (e.g. a small browse button).
    static void MakeEnterPresses(QPushButton* button);

signals:
    // Emitted as the dialog closes, before it is deleted: whoever shares the
    // dialog forgets it here, so that asking again loads a fresh one.
    void unloaded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// The program's icon, the same on every window.
QIcon ProgramIcon();

// Sets the object name and the accessible name of a control.
void NameControl(QWidget* widget, const char* name, const QString& accessibleName);
