#pragma once
#include "platform/file_dialog.h"
#include "platform/paths.h"
#include "platform/program_start.h"
#include "platform/settings.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// A fresh directory for one "Hu-go!.ini", removed afterwards.
class IniDir {
public:
    IniDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hugo-XXXXXX").string();
        native_ = mkdtemp(pattern.data());
    }
    ~IniDir() {
        std::error_code ignored;
        std::filesystem::remove_all(native_, ignored);
    }
    IniDir(const IniDir&) = delete;
    IniDir& operator=(const IniDir&) = delete;

    // The directory as the emulator location setting holds it.
    std::string SystemDir() const { return platform::PathMap::System().ToSystem(native_) + "\\"; }
    std::string File() const { return native_ + "/Hu-go!.ini"; }

    void Write(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }
    std::string Read() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string native_;
};

// Stands in for the user's settings: the emulator is installed in `dir`.
class FakeSettings : public platform::SettingsStore {
public:
    std::string dir;
    std::string Read(const std::string&, const std::string&, const std::string&) override {
        return dir;
    }
    platform::SaveResult Save(const std::string&, const std::string&, const std::string&,
                              const std::string&) override {
        return {};
    }
};

class NoStarter : public platform::ProgramStarter {
public:
    platform::StartResult Start(const std::string&) override { return {}; }
};

class FakeFileDialog : public platform::OpenFileDialog {
public:
    std::string chosen; // empty: the user cancels
    std::string ChooseFile() override { return chosen; }
};
