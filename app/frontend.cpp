// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/frontend.h"

#include "app/aboutfrontend.h"
#include "app/launch.h"
#include "app/shortpath.h"
#include "config/confighugo.h"
#include "config/hugo_ini.h"
#include "location/emulator_location.h"
#include "location/pathemulator.h"

#include <array>
#include <cctype>

using forms::Event;

std::span<const forms::Wire<Frontend>> Frontend::Wiring() {
    static const std::array<forms::Wire<Frontend>, 8> wiring{{
        {"Frontend", Event::Load, &Frontend::Form_Load},
        {"Drive", Event::Change, &Frontend::Drive_Change},
        {"Dir", Event::Change, &Frontend::Dir_Change},
        {"Go", Event::Click, &Frontend::Go_Click},
        {"Setup", Event::Click, &Frontend::Setup_Click},
        {"Directories", Event::Click, &Frontend::Directories_Click},
        {"About", Event::Click, &Frontend::About_Click},
        {"Quit", Event::Click, &Frontend::Quit_Click},
    }};
    return wiring;
}

Frontend::Frontend(platform::Services services, forms::Host& host)
    : FormOf(Description()), services_(services), host_(host) {}

Frontend::~Frontend() = default;

std::string Frontend::ShortPath(const std::string& path) const {
    return ::ShortPath(path);
}

void Frontend::reload() {
    Form_Load();
}

// The lists start where the process stands, as the system's own lists do.
void Frontend::Created() {
    const std::string start = services_.paths.CurrentDirectory();
    view().SetDrive("Drive", platform::DriveLetterOf(start));
    std::string reason;
    if (!view().SetPath("Dir", start, &reason)) { // e.g. deleted, or not ours to read
        ListFailed("Dir", start, reason);
        view().SetPath("Dir", std::string(1, view().Drive("Drive")) + ":\\", nullptr);
    }
}

void Frontend::ListFailed(std::string_view /*list*/, const std::string& path,
                          const std::string& reason) {
    view().Tell("The directory " + path + " cannot be read.\n\n" + reason);
}

void Frontend::Form_Load() {
    EmulatorDir = location::ReadEmulatorDir(services_.settings);
    // A write of ours cut short is finished or dropped before anyone reads the file.
    services_.profile.SettleCutWrites(hugo::IniFileName(EmulatorDir));
}

void Frontend::Drive_Change() {
    const char letter = view().Drive("Drive");
    std::string reason;
    if (!view().SetPath("Dir", services_.paths.DriveCurrentDirectory(letter), &reason)) {
        view().SetDrive("Drive", platform::DriveLetterOf(view().Path("Dir")));
        const char shown = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        view().Tell(std::string("Drive ") + shown + ": cannot be read.\n\n" + reason);
    }
}

void Frontend::Dir_Change() {
    view().ShowFiles("File", "Dir"); // as read when opened, not a second time
}

void Frontend::Go_Click() {
    platform::KnownDirectory image;
    const std::string commandLine =
        LaunchCommandLine(EmulatorDir, view().Path("Dir"), view().FileName("File"), &image);
    if (commandLine.empty()) {
        return;
    }
    if (std::string why =
            services_.paths.WhyEmulatorCannotBeHanded(image.directory + view().FileName("File"));
        !why.empty()) {
        view().Tell("The emulator could not be started.\n\n" + why);
        return;
    }
    // Read whole or not at all.
    if (const std::string file = hugo::IniFileName(EmulatorDir);
        !services_.profile.SettleCutWrites(file)) {
        view().Tell("\"" + file +
                    "\" is being written by another program. Press Go again in a moment.");
        return;
    }
    // The list knows which directory the short form was made from.
    const platform::StartResult started = services_.starter.Start(commandLine, {image});
    if (!started.ok) {
        std::string text = "The emulator could not be started.\n\n";
        if (started.programMissing) {
            text += EmulatorDir.empty() ? "No emulator directory is stored, and no hu-go!.exe "
                                          "was found where programs are looked for."
                                        : "There is no " + EmulatorDir + "hu-go!.exe.";
        } else {
            text += commandLine + "\n\n" + started.reason;
        }
        if (EmulatorDir.empty() || started.programMissing) {
            text += "\n\nChoose the emulator's directory in Options > Directories.";
        }
        view().Tell(text);
    }
}

void Frontend::Setup_Click() {
    host_.ShowShared(configDialog_, services_, *this);
}

void Frontend::Directories_Click() {
    host_.ShowShared(pathDialog_, services_, *this);
}

void Frontend::About_Click() {
    host_.ShowShared(aboutDialog_);
}

void Frontend::Quit_Click() {
    view().Close();
}
