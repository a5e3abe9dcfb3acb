// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/launch.h"

#include "app/shortpath.h"

std::string LaunchCommandLine(const std::string& emulatorDir, const std::string& imageDir,
                              const std::string& imageName, platform::KnownDirectory* image) {
    const std::string extension =
        imageName.size() <= 3 ? imageName : imageName.substr(imageName.size() - 3);
    const std::string shortDir = ShortPath(imageDir + "\\");
    std::string options;
    if (extension == "pce" || extension == "PCE" || extension == "zip" || extension == "ZIP") {
        options = " ";
    } else if (extension == "ISO" || extension == "iso") {
        options = " -c2 -i";
    } else {
        return {};
    }
    std::string line = emulatorDir + "hu-go!.exe" + options;
    if (image) {
        const bool root = !imageDir.empty() && imageDir.back() == '\\';
        *image = {line.size(), line.size() + shortDir.size(), root ? imageDir : imageDir + "\\"};
    }
    return line + shortDir + "\\" + imageName;
}
