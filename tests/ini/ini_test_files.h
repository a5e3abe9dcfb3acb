#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/profile/profile_posix.h"

namespace ini_test {

// A fresh directory, removed with its contents at the end.
class TempDir {
public:
    TempDir() : root_((std::filesystem::temp_directory_path() / "vorlanes-ini-XXXXXX").string()) {
        if (::mkdtemp(root_.data()) == nullptr)
            std::abort();
    }
    TempDir(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string Path(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Native paths pass through unchanged, so tests need no drive mapping.
inline platform::PosixProfile& Profile() {
    static platform::PosixProfile profile([](const std::string& name) { return name; });
    return profile;
}

} // namespace ini_test
