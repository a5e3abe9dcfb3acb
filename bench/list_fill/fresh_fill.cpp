// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// One fill of a directory in a process of its own, as the first one after the
// start, its Qt application made first: "rows DIR" opens it as the program
// does (the directory list's rows, then the file list's from the same
// listing, both laid out by their views; a large one's first rows, then the
// whole), "first DIR" until those first rows are laid out, "bare DIR" scans it
// bare into a QStringListModel shown by a QListView, "model DIR" until a
// QFileSystemModel under a QListView has laid out its first rows (a first
// batch, unsorted).
// Prints the seconds it took and how many files it shows.
#include "bench/list_fill/bare_scan.h"
#include "forms/rules.h"
#include "front/qt/dir_list.h"
#include "front/qt/file_list.h"
#include "platform/files/paths.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QListView>
#include <QStringListModel>
#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fresh_fill rows|first|bare|model DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::string mode = argv[1];
    const std::string native = argv[2];
    const std::string path = platform::PathMap::System().ToSystem(native); // made at start-up
    qtfront::DirList dirs;
    qtfront::FileList files("*.pce;*.zip;*.iso");
    QListView view;
    view.setUniformItemSizes(true);
    QStringListModel model;
    const auto start = std::chrono::steady_clock::now();
    int shown = 0;
    if (mode == "rows" || mode == "first") {
        if (!dirs.rows().Open(path, nullptr)) {
            return 1;
        }
        dirs.Shown();
        files.Show(dirs.rows().Path(), dirs.rows().Contents());
        dirs.doItemsLayout();
        files.doItemsLayout();
        if (mode == "rows") {
            forms::ReadRest(
                dirs.rows(), [&] { dirs.Shown(); },
                [&](const platform::Listing& was) { files.Grow(dirs.rows(), was); });
            dirs.doItemsLayout();
            files.doItemsLayout();
        }
        shown = files.count();
    } else if (mode == "model") {
        QFileSystemModel files;
        files.setNameFilters({"*.pce", "*.zip", "*.iso"});
        files.setNameFilterDisables(false);
        view.setModel(&files);
        view.setRootIndex(files.setRootPath(QString::fromStdString(native)));
        while ((shown = files.rowCount(view.rootIndex())) == 0) {
            app.processEvents(QEventLoop::WaitForMoreEvents);
        }
        view.doItemsLayout();
    } else {
        QStringList names;
        for (const std::string& name : BareScan(native, false)) {
            names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
        model.setStringList(names);
        view.setModel(&model);
        view.doItemsLayout();
        shown = model.rowCount();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.9f %d\n", took.count(), shown);
    return 0;
}
