// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The yardstick of start-up: a bare Qt program showing the main window empty,
// built of Qt's own controls in the same places, with the same menus and
// captions but nothing to list: no drives, directories, files, settings or
// icons. What the program takes beyond it is what its own work costs.
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("House Vorlanes' Frontend"));
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* outer = new QTabWidget(client);
    outer->setGeometry(0, 0, 431, 341);
    auto* pcEngine = new QWidget;
    outer->addTab(pcEngine, QStringLiteral("PC Engine"));
    auto* inner = new QTabWidget(pcEngine);
    auto* pcEngineLayout = new QVBoxLayout(pcEngine);
    pcEngineLayout->setContentsMargins(4, 4, 4, 4);
    pcEngineLayout->addWidget(inner);
    auto* huGo = new QWidget;
    inner->addTab(huGo, QStringLiteral("Hu-Go!"));
    auto* grid = new QGridLayout(huGo);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->addWidget(new QComboBox, 0, 0, 1, 2);
    grid->addWidget(new QListView, 1, 0);
    grid->addWidget(new QListView, 1, 1);
    auto* setup = new QPushButton(QStringLiteral("Setup"));
    auto* go = new QPushButton(QStringLiteral("Go"));
    setup->setFixedSize(81, 25);
    go->setFixedSize(81, 25);
    grid->addWidget(setup, 2, 0, Qt::AlignLeft);
    grid->addWidget(go, 2, 1, Qt::AlignRight);
    window.menuBar()->addMenu(QStringLiteral("Files"))->addAction(QStringLiteral("Quit"));
    window.menuBar()->addMenu(QStringLiteral("Options"))->addAction(QStringLiteral("Directories"));
    window.menuBar()->addMenu(QStringLiteral("?"))->addAction(QStringLiteral("About"));
    client->setMinimumSize(431, 341);
    window.resize(431, 341 + window.menuBar()->sizeHint().height());
    client->setMinimumSize(0, 0);
    window.show();
    return QApplication::exec();
}
