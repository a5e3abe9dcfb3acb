// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "location/pathemulator.h"

#include "location/emulator_location.h"

#include <array>

using forms::Event;
using forms::Kind;

const forms::Description& Pathemulator::Description() {
    static const forms::Description form{
        .name = "Pathemulator",
        .caption = "Path - Emulators",
        .width = 5775,
        .height = 1065,
        .border = forms::Border::FixedDialog,
        .position = forms::kDialogPosition,
        .menus = {},
        .controls =
            {
                {"Label2", Kind::Label, "HuGo!", {120, 360, 975, 255}, 3},
                {"Pathhugo", Kind::TextBox, "", {1200, 360, 2295, 285}, 2},
                {"Browse", Kind::Button, "...", {3600, 360, 255, 255}, 4},
                {"OKButton", Kind::Button, "OK", {4440, 120, 1215, 375}, 0},
                {"CancelButton", Kind::Button, "Annuler", {4440, 600, 1215, 375}, 1},
            },
    };
    return form;
}

std::span<const forms::Wire<Pathemulator>> Pathemulator::Wiring() {
    static const std::array<forms::Wire<Pathemulator>, 4> wiring{{
        {"Pathemulator", Event::Load, &Pathemulator::Form_Load},
        {"Browse", Event::Click, &Pathemulator::Browse_Click},
        {"OKButton", Event::Click, &Pathemulator::OKButton_Click},
        {"CancelButton", Event::Click, &Pathemulator::CancelButton_Click},
    }};
    return wiring;
}

Pathemulator::Pathemulator(platform::Services services, forms::MainWindow& main)
    : FormOf(Description()), services_(services), main_(main) {}

void Pathemulator::Form_Load() {
    view().SetText("Pathhugo", location::ReadEmulatorDir(services_.settings));
}

void Pathemulator::Browse_Click() {
    const std::string chosen = view().ChooseFile();
    if (chosen.empty()) {
        return;
    }
    view().SetText("Pathhugo", platform::DirectoryPart(chosen));
}

void Pathemulator::OKButton_Click() {
    const std::string typed = view().Text("Pathhugo");
    if (std::string why = services_.paths.WhyEmulatorCannotBeHanded(typed); !why.empty()) {
        view().Tell("The emulator's directory " + typed + " cannot be stored.\n\n" + why);
        return; // the text stays as typed
    }
    const std::string stored = location::FormLeadingThere(
        services_.paths, typed,
        location::StoredForm(typed,
                             [this](const std::string& path) { return main_.ShortPath(path); }),
        platform::PathMap::Reader::ThisProgram);
    view().SetText("Pathhugo", stored);
    const platform::SaveResult saved = location::SaveEmulatorDir(services_.settings, stored);
    if (!saved.ok) {
        view().Tell("The emulator's directory " + stored + " could not be saved: " + saved.reason);
        return;
    }
    if (!saved.note.empty()) {
        view().Tell(saved.note);
    }
    main_.reload();
    view().Close();
}

void Pathemulator::CancelButton_Click() {
    view().Close();
}
