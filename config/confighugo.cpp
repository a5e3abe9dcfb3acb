// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/confighugo.h"

#include "ini/tolv_cini.h"
#include "location/emulator_location.h"
#include "platform/profile/profile_errors.h"

#include <array>

using forms::Event;
using hugo::Field;

namespace {

using Wire = forms::Wire<Confighugo>;

struct Group {
    Field field;
    std::array<std::string_view, 8> options;
};
const std::array<Group, 3> kGroups{{
    {Field::VideoMode, {"graph1", "graph2", "graph3", "graph4", "graph5"}},
    {Field::Language,
     {"langue1", "langue2", "langue3", "langue4", "langue5", "langue6", "langue7", "langue8"}},
    {Field::Input, {"Option1", "Option2", "Option3", "Option4"}},
}};

const Group& GroupOf(Field field) {
    for (const Group& group : kGroups) {
        if (group.field == field) {
            return group;
        }
    }
    return kGroups[0];
}

struct Switch {
    Field field;
    std::string_view box;
};
const std::array<Switch, 4> kSwitches{{{Field::Eagle, "Modeeagle"},
                                       {Field::ExactDraw, "Exactdraw"},
                                       {Field::Sound, "Son"},
                                       {Field::StaticRefresh, "Staticrefresh"}}};

// The system's text for an error code, as a failed call of the INI class keeps it.
std::string SystemText(platform::ProfileFunctions& profile, std::uint32_t code) {
    char text[256] = {};
    profile.FormatMessageA(platform::kFormatMessageFromSystem |
                               platform::kFormatMessageIgnoreInserts,
                           nullptr, code, 0, text, 255, nullptr);
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

} // namespace

std::span<const Wire> Confighugo::Wiring() {
    static const std::array<Wire, 21> wiring{{
        {"Confighugo", Event::Load, &Confighugo::Form_Load},
        {"OKButton", Event::Click, &Confighugo::OKButton_Click},
        {"CancelButton", Event::Click, &Confighugo::CancelButton_Click},
        {"Browse", Event::Click, &Confighugo::Browse_Click},
        {"graph1", Event::Click, &Confighugo::graph1_Click},
        {"graph2", Event::Click, &Confighugo::graph2_Click},
        {"graph3", Event::Click, &Confighugo::graph3_Click},
        {"graph4", Event::Click, &Confighugo::graph4_Click},
        {"graph5", Event::Click, &Confighugo::graph5_Click},
        {"langue1", Event::Click, &Confighugo::langue1_Click},
        {"langue2", Event::Click, &Confighugo::langue2_Click},
        {"langue3", Event::Click, &Confighugo::langue3_Click},
        {"langue4", Event::Click, &Confighugo::langue4_Click},
        {"langue5", Event::Click, &Confighugo::langue5_Click},
        {"langue6", Event::Click, &Confighugo::langue6_Click},
        {"langue7", Event::Click, &Confighugo::langue7_Click},
        {"langue8", Event::Click, &Confighugo::langue8_Click},
        {"Option1", Event::Click, &Confighugo::Option1_Click},
        {"Option2", Event::Click, &Confighugo::Option2_Click},
        {"Option3", Event::Click, &Confighugo::Option3_Click},
        {"Option4", Event::Click, &Confighugo::Option4_Click},
    }};
    return wiring;
}

Confighugo::Confighugo(platform::Services services, forms::MainWindow& main)
    : FormOf(Description()), services_(services), main_(main) {}

Confighugo::~Confighugo() = default;

void Confighugo::Form_Load() {
    const std::string dir = location::ReadEmulatorDir(services_.settings);
    // A fresh one for each load: the last failure it keeps is this load's.
    ini_ = std::make_unique<Tolv_CIni>(services_.profile);
    ini_->FileName(hugo::IniFileName(dir));
    hugo::Settings settings = ShownSettings();
    hugo::Load(*ini_, settings);
    ShowSettings(settings);
    loaded_ = ShownSettings();
    romDirMayBeCut_ = settings.romDir.size() == hugo::kLongestRead;
    // A file named without a directory is the Windows directory's: messages
    // give its whole name.
    file_ = dir.empty() ? services_.paths.WindowsDirectory() + "\\" + ini_->FileName()
                        : ini_->FileName();
    toTell_.clear();
    if (dir.empty()) {
        toTell_ = "No emulator directory is stored, so these settings are those of\n" + file_ +
                  "\nwhich the emulator reads only if it is installed there. Choose the "
                  "emulator's directory in Options > Directories.\n\n";
    }
    // A missing file or key reads as nothing to keep; any other failure means
    // what is shown is not the file's, and OK must not write it over the file.
    const std::string& failure = ini_->LastErrorDescription();
    unread_ = false;
    if (!failure.empty()) {
        using namespace platform::winerr;
        unread_ = true;
        for (const std::uint32_t code : {kSuccess, kFileNotFound, kPathNotFound}) {
            unread_ = unread_ && failure != SystemText(services_.profile, code);
        }
    }
    if (unread_) {
        toTell_ += "\"" + file_ + "\" could not be read:\n" + Trimmed(failure) +
                   "\n\nThe settings shown are not the file's own: OK writes only those you "
                   "change.\n\n";
    }
}

// Told once the dialog is on screen, so that the message stands over it.
void Confighugo::Shown() {
    if (!toTell_.empty()) {
        view().Tell(toTell_.substr(0, toTell_.size() - 2));
    }
}

void Confighugo::OKButton_Click() {
    hugo::Settings shown = ShownSettings();
    hugo::Fields fields = unread_ ? hugo::Changed(loaded_, shown) : hugo::kAllFields;
    // A value read maybe cut and left untouched stays whole in the file.
    if (romDirMayBeCut_ && shown.romDir == loaded_.romDir) {
        fields.reset(static_cast<std::size_t>(Field::RomDir));
    }
    // The box shows what is stored, so that a failed save leaves the user
    // looking at the text that would be written next time.
    if (fields.test(static_cast<std::size_t>(Field::RomDir))) {
        const std::string typed = shown.romDir;
        if (std::string why = services_.paths.WhyEmulatorCannotBeHanded(typed); !why.empty()) {
            view().Tell("The ROM directory " + typed + " cannot be written.\n\n" + why);
            return; // nothing written, the text stays as typed
        }
        shown.romDir = hugo::RomDirToStore(
            typed, [this](const std::string& path) { return main_.ShortPath(path); });
        if (!typed.empty()) {
            shown.romDir = location::FormLeadingThere(services_.paths, typed, shown.romDir,
                                                      platform::PathMap::Reader::Emulator);
        }
        view().SetText("Rom_Dir", shown.romDir);
    }
    if (!hugo::Save(*ini_, shown, fields)) {
        view().Tell("The settings could not be written to \"" + file_ + "\":\n" +
                    Trimmed(ini_->LastErrorDescription()));
        return;
    }
    view().Close();
}

void Confighugo::CancelButton_Click() {
    view().Close();
}

void Confighugo::Browse_Click() {
    const std::string chosen = view().ChooseFile();
    if (chosen.empty()) {
        return;
    }
    const std::string directory = platform::DirectoryPart(chosen);
    if (directory.empty()) {
        return; // not a system path: there is no directory to take
    }
    view().SetText("Rom_Dir", directory);
    romDirMayBeCut_ = false;
}

void Confighugo::Select(Field group, int position) {
    const Group& g = GroupOf(group);
    for (int i = 0; i < hugo::GroupSize(group); ++i) {
        view().SetValue(g.options[static_cast<std::size_t>(i)], i == position);
    }
}

void Confighugo::graph1_Click() {
    Select(Field::VideoMode, 0);
}
void Confighugo::graph2_Click() {
    Select(Field::VideoMode, 1);
}
void Confighugo::graph3_Click() {
    Select(Field::VideoMode, 2);
}
void Confighugo::graph4_Click() {
    Select(Field::VideoMode, 3);
}
void Confighugo::graph5_Click() {
    Select(Field::VideoMode, 4);
}
void Confighugo::langue1_Click() {
    Select(Field::Language, 0);
}
void Confighugo::langue2_Click() {
    Select(Field::Language, 1);
}
void Confighugo::langue3_Click() {
    Select(Field::Language, 2);
}
void Confighugo::langue4_Click() {
    Select(Field::Language, 3);
}
void Confighugo::langue5_Click() {
    Select(Field::Language, 4);
}
void Confighugo::langue6_Click() {
    Select(Field::Language, 5);
}
void Confighugo::langue7_Click() {
    Select(Field::Language, 6);
}
void Confighugo::langue8_Click() {
    Select(Field::Language, 7);
}
void Confighugo::Option1_Click() {
    Select(Field::Input, 0);
}
void Confighugo::Option2_Click() {
    Select(Field::Input, 1);
}
void Confighugo::Option3_Click() {
    Select(Field::Input, 2);
}
void Confighugo::Option4_Click() {
    Select(Field::Input, 3);
}

// A stored choice selects its option through that option's own handler.
void Confighugo::ShowSettings(const hugo::Settings& settings) {
    for (const Group& group : kGroups) {
        const std::optional<int>& choice = hugo::Choice(settings, group.field);
        if (choice) {
            Raise(group.options[static_cast<std::size_t>(*choice)], Event::Click);
        }
    }
    view().SetText("Rom_Dir", settings.romDir);
    for (const Switch& s : kSwitches) {
        view().SetCheck(s.box, hugo::Switch(settings, s.field));
    }
}

hugo::Settings Confighugo::ShownSettings() {
    hugo::Settings settings;
    for (const Group& group : kGroups) {
        std::optional<int>& choice = hugo::Choice(settings, group.field);
        choice.reset();
        for (int i = 0; i < hugo::GroupSize(group.field); ++i) {
            if (view().Value(group.options[static_cast<std::size_t>(i)])) {
                choice = i;
                break;
            }
        }
    }
    settings.romDir = view().Text("Rom_Dir");
    for (const Switch& s : kSwitches) {
        hugo::Switch(settings, s.field) = view().Check(s.box);
    }
    return settings;
}
