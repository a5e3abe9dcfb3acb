// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/paths_posix.h"

#include "platform/files/windows_names.h"
#include "platform/files/wine_names_posix.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <unordered_map>

namespace platform {
namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::vector<std::string> NamesIn(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.empty() ? "." : dir.c_str())) {
        while (dirent* e = readdir(d)) {
            names.emplace_back(e->d_name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// "PC Eng~1" stands for a long name that starts with "PC Eng", as the short
// path writes it.
bool IsShortForm(const std::string& name) {
    return name.size() >= 3 && name.size() <= 8 && name.compare(name.size() - 2, 2, "~1") == 0;
}

std::string UpperOf(std::string text) {
    for (char& c : text) {
        c = Upper(c);
    }
    return text;
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) {
        return name;
    }
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// One directory's names, sorted by their upper-case form and then by name, so
// that a match regardless of case and a short form's prefix are both a binary
// search away.
struct Listing {
    struct Entry {
        std::string upper;
        std::string name;
    };
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    timespec changed{};
    std::vector<Entry> entries;
};

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool SameDirectory(const Listing& listing, const struct stat& st) {
    return listing.device == st.st_dev && listing.inode == st.st_ino &&
           SameTime(listing.modified, st.st_mtim) && SameTime(listing.changed, st.st_ctim);
}

// A listing is kept only when the directory's times are well older than the
// listing: a change within the same clock tick (two seconds on FAT) would leave
// the times as they were.
bool OldEnoughToKeep(const struct stat& st) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const time_t newest = std::max(st.st_mtim.tv_sec, st.st_ctim.tv_sec);
    return now.tv_sec - newest > 2;
}

class ListingCache {
public:
    std::shared_ptr<const Listing> Get(const std::string& dir) {
        struct stat st {};
        if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return nullptr;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const auto found = listings_.find(dir);
            if (found != listings_.end() && SameDirectory(*found->second, st)) {
                return found->second;
            }
        }
        auto listing = std::make_shared<Listing>();
        listing->device = st.st_dev;
        listing->inode = st.st_ino;
        listing->modified = st.st_mtim;
        listing->changed = st.st_ctim;
        if (DIR* d = opendir(dir.c_str())) {
            while (dirent* e = readdir(d)) {
                listing->entries.push_back({UpperOf(e->d_name), e->d_name});
            }
            closedir(d);
        }
        std::sort(listing->entries.begin(), listing->entries.end(),
                  [](const Listing::Entry& a, const Listing::Entry& b) {
                      return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
                  });
        std::lock_guard<std::mutex> lock(mutex_);
        if (OldEnoughToKeep(st)) {
            if (listings_.size() >= kMaxDirectories) {
                listings_.clear();
            }
            listings_[dir] = listing;
        } else {
            listings_.erase(dir);
        }
        return listing;
    }

    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        listings_.clear();
    }

private:
    static constexpr std::size_t kMaxDirectories = 256;
    std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const Listing>> listings_;
};

ListingCache& Listings() {
    static ListingCache cache;
    return cache;
}

// When the file was made, where the file system records it.
bool BirthTime(const std::string& path, timespec& born) {
    struct statx stx {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) != 0 || !(stx.stx_mask & STATX_BTIME)) {
        return false;
    }
    born.tv_sec = stx.stx_btime.tv_sec;
    born.tv_nsec = stx.stx_btime.tv_nsec;
    return true;
}

struct Walked {
    std::string native;
    std::size_t existing = 0; // how many of the names walked lead to something that exists
    // Where a short form could stand for several names that nothing tells
    // apart: each of them, as native paths.
    std::vector<std::string> ties;
};

// `shortForms`: whether a "~1" name is read as the long name it stands for, as
// this program reads paths; Windows programs under Wine never do.
Walked WalkFrom(std::string base, const std::vector<std::string>& names, std::size_t i,
                const std::string& floor, bool shortForms = true);

struct Resolved {
    std::string name;
    bool exists = false;
    std::optional<Walked> rest = std::nullopt; // the path below it, when walked to choose it
};

// Among the long names a short form can stand for, the one under which most of
// the rest of the path exists; among equals the one Windows would have named
// "~1", the oldest, then the first in name order. Equals whose age is not known
// are ties: the name order would be a guess.
Resolved ChooseLongName(const std::string& base, const std::vector<std::string>& candidates,
                        const std::vector<std::string>& names, std::size_t i,
                        const std::string& floor) {
    struct Choice {
        const std::string* name;
        Walked rest;
        bool bornKnown;
        timespec born;
    };
    auto tied = [](const Choice& a, const Choice& b) {
        return a.rest.existing == b.rest.existing &&
               (!a.bornKnown || !b.bornKnown || SameTime(a.born, b.born));
    };
    auto better = [](const Choice& a, const Choice& b) {
        if (a.rest.existing != b.rest.existing) {
            return a.rest.existing > b.rest.existing;
        }
        if (a.bornKnown != b.bornKnown) {
            return a.bornKnown;
        }
        if (a.bornKnown && !SameTime(a.born, b.born)) {
            return a.born.tv_sec != b.born.tv_sec ? a.born.tv_sec < b.born.tv_sec
                                                  : a.born.tv_nsec < b.born.tv_nsec;
        }
        return *a.name < *b.name;
    };
    std::vector<Choice> choices;
    for (const std::string& candidate : candidates) {
        const std::string path = Join(base, candidate);
        Choice choice{&candidate, WalkFrom(path, names, i + 1, floor), false, {}};
        choice.bornKnown = BirthTime(path, choice.born);
        choices.push_back(std::move(choice));
    }
    const Choice& best = *std::min_element(choices.begin(), choices.end(), better);
    Walked rest = best.rest;
    if (rest.ties.empty()) {
        for (const Choice& other : choices) {
            if (tied(other, best)) {
                rest.ties.push_back(Join(base, *other.name));
            }
        }
        if (rest.ties.size() < 2) {
            rest.ties.clear();
        }
    }
    return {*best.name, true, std::move(rest)};
}

// The real name of names[i] in `base`: as written when it exists, else the first
// name in name order that matches regardless of case, else the long name a short
// form stands for; as written when nothing fits (a file yet to be made).
Resolved ResolveComponent(const std::string& base, const std::vector<std::string>& names,
                          std::size_t i, const std::string& floor, bool shortForms) {
    const std::string& name = names[i];
    struct stat st {};
    if (lstat(Join(base, name).c_str(), &st) == 0) {
        return {name, true};
    }
    const std::shared_ptr<const Listing> listing = Listings().Get(base.empty() ? "." : base);
    if (!listing) {
        return {name, false};
    }
    const std::vector<Listing::Entry>& entries = listing->entries;
    const std::string upper = UpperOf(name);
    auto at = std::lower_bound(
        entries.begin(), entries.end(), upper,
        [](const Listing::Entry& e, const std::string& key) { return e.upper < key; });
    if (at != entries.end() && at->upper == upper) {
        return {at->name, true};
    }
    if (!shortForms || !IsShortForm(name)) {
        return {name, false};
    }
    const std::string prefix = upper.substr(0, upper.size() - 2);
    std::vector<std::string> candidates;
    for (at = std::lower_bound(
             entries.begin(), entries.end(), prefix,
             [](const Listing::Entry&e, const std::string&key) { return e.upper < key; });
         at != entries.end() && at->upper.compare(0, prefix.size(), prefix) == 0; ++at) {
        if (at->name.size() > 8) {
            candidates.push_back(at->name);
        }
    }
    if (candidates.empty()) {
        return {name, false};
    }
    if (candidates.size() == 1) {
        return {candidates[0], true};
    }
    return ChooseLongName(base, candidates, names, i, floor);
}

Walked WalkFrom(std::string base, const std::vector<std::string>& names, std::size_t i,
                const std::string& floor, bool shortForms) {
    Walked walked;
    bool found = true;
    for (; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            if (floor.empty() && (base.empty() || base[0] != '/')) {
                base = Join(base, ".."); // relative: leave it to the system
                continue;
            }
            if (base.size() > floor.size()) {
                const std::size_t slash = base.rfind('/');
                base = slash == 0 ? "/" : base.substr(0, slash);
                if (base.size() < floor.size()) {
                    base = floor;
                }
            }
            continue;
        }
        if (!found) {
            base = Join(base, name);
            continue;
        }
        const Resolved resolved = ResolveComponent(base, names, i, floor, shortForms);
        if (resolved.rest) { // the rest was walked already, to choose this name
            walked.native = resolved.rest->native;
            walked.existing += 1 + resolved.rest->existing;
            walked.ties = resolved.rest->ties;
            return walked;
        }
        base = Join(base, resolved.name);
        found = resolved.exists;
        walked.existing += found ? 1 : 0;
    }
    walked.native = base;
    return walked;
}

// Walks `rest` ("a\b\c") from the native directory `base`, resolving each name.
Walked Walk(const std::string& base, const std::string& rest, const std::string& floor,
            bool shortForms) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) {
            end = rest.size();
        }
        names.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return WalkFrom(base, names, 0, floor, shortForms);
}

std::string Canonical(const std::string& path) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) == nullptr) {
        return {};
    }
    return buffer;
}

// Drops repeated and trailing slashes ("/a//b/" -> "/a/b").
std::string Tidy(const std::string& native) {
    std::string out;
    for (char c : native) {
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out += c;
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    return out;
}

bool HasPrefixDir(const std::string& path, const std::string& root) {
    if (root == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.compare(0, root.size(), root) == 0 &&
           (path.size() == root.size() || path[root.size()] == '/');
}

std::vector<DriveInfo> SystemDrives() {
    return WinePrefixDrives(WinePrefixDir());
}

} // namespace

std::string WinePrefixDir() {
    if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine) {
        return wine;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::string(home) + "/.wine";
    }
    return {};
}

namespace {

// Where a link says it leads, without asking the target: "../drive_c" read
// from the link's own directory, "." and ".." taken away by name.
std::string LinkTarget(const std::string& link) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    if (n <= 0) {
        return {};
    }
    std::string target(buffer, static_cast<std::size_t>(n));
    if (target[0] != '/') {
        target = link.substr(0, link.rfind('/') + 1) + target;
    }
    std::vector<std::string> parts;
    for (std::size_t start = 1; start <= target.size();) {
        std::size_t end = target.find('/', start);
        if (end == std::string::npos) {
            end = target.size();
        }
        const std::string part = target.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) {
        out += "/" + part;
    }
    return out.empty() ? "/" : out;
}

} // namespace

// Only the links are read, never what they lead to: a target that does not
// answer (a hung network mount) must not keep the window from appearing, and a
// drive is examined when it is chosen, as a drive without its disc is.
std::vector<DriveInfo> WinePrefixDrives(const std::string& prefix) {
    std::vector<DriveInfo> drives;
    if (!prefix.empty()) {
        // The prefix itself by its real path, so that its own drives ("../drive_c")
        // are found again from the real paths the process stands in.
        const std::string real = Canonical(prefix);
        const std::string devices = (real.empty() ? prefix : real) + "/dosdevices";
        for (const std::string& name : NamesIn(devices)) {
            if (name.size() != 2 || name[1] != ':' ||
                !std::isalpha(static_cast<unsigned char>(name[0])) || Upper(name[0]) == 'Z') {
                continue; // Z: is always the whole file system
            }
            const std::string target = LinkTarget(devices + "/" + name);
            if (!target.empty()) {
                drives.push_back({Upper(name[0]), target, target});
            }
        }
    }
    drives.push_back({'Z', "/", "/"});
    return drives;
}

void ForgetDirectoryListings() {
    Listings().Clear();
}

namespace {

// The drive with this letter, if there is one.
const DriveInfo* FindDrive(const PathMap& map, char letter) {
    const DriveInfo* found = nullptr;
    for (const DriveInfo& d : map.Drives()) {
        if (d.letter == letter) {
            found = &d;
        }
    }
    return found;
}

// The drive a system path is written with: its own letter, or for a rooted
// path without one ("\x"), the current directory's; 0 for a relative path.
char WrittenDrive(const PathMap& map, const std::string& systemPath) {
    if (const char letter = DriveLetterOf(systemPath)) {
        return letter;
    }
    return !systemPath.empty() && systemPath[0] == '\\' ? DriveLetterOf(map.CurrentDirectory()) : 0;
}

// `native`, which lies under the drive's root, as a path on that drive.
std::string OnDrive(const DriveInfo& d, const std::string& native) {
    std::string rest = native.substr(d.nativeRoot == "/" ? 1 : d.nativeRoot.size());
    if (!rest.empty() && rest[0] == '/') {
        rest.erase(0, 1);
    }
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, d.letter) + ":\\" + rest;
}

Walked WalkSystemPath(const PathMap& map, const std::string& systemPath, bool shortForms) {
    const bool lettered = DriveLetterOf(systemPath) != 0;
    const DriveInfo* drive = FindDrive(map, WrittenDrive(map, systemPath));
    if (lettered && !drive) {
        return {}; // no such drive here
    }
    const std::string rest = lettered ? systemPath.substr(2) : systemPath;
    if (!drive) {
        return Walk(std::string(), rest, std::string(), shortForms);
    }
    return Walk(drive->nativeRoot, rest, drive->nativeRoot, shortForms);
}

// `native` as a system path on the drive `systemPath` was written with, ending
// in "\\" when that does.
std::string SystemFormLike(const PathMap& map, const std::string& systemPath,
                           const std::string& native) {
    const DriveInfo* drive = FindDrive(map, WrittenDrive(map, systemPath));
    std::string result = drive && HasPrefixDir(native, drive->nativeRoot) ? OnDrive(*drive, native)
                                                                          : map.ToSystem(native);
    if (!systemPath.empty() && systemPath.back() == '\\' && result.back() != '\\') {
        result += '\\';
    }
    return result;
}

} // namespace

std::string LongSystemPath(const PathMap& map, const std::string& systemPath) {
    const std::string native = map.ToNative(systemPath);
    struct stat st {};
    if (native.empty() || stat(native.c_str(), &st) != 0) {
        return {};
    }
    return SystemFormLike(map, systemPath, native);
}

std::string WhyShortFormIsAmbiguous(const PathMap& map, const std::string& systemPath) {
    const Walked walked = WalkSystemPath(map, systemPath, true);
    if (walked.ties.empty()) {
        return {};
    }
    std::string why = systemPath + " could lie in any of these folders, and nothing tells which:";
    for (const std::string& native : walked.ties) {
        why += '\n';
        why += SystemFormLike(map, systemPath, native);
        if (why.back() != '\\') {
            why += '\\';
        }
    }
    return why;
}

namespace {

// The directory a system path leads to, as `shortForms` reads it: its identity,
// or nothing when it is no directory or a short form in it is a tie.
std::optional<std::pair<dev_t, ino_t>> DirectoryAt(const PathMap& map, const std::string& path,
                                                   bool shortForms, std::string* native = nullptr) {
    const Walked walked = WalkSystemPath(map, path, shortForms);
    struct stat st {};
    if (walked.native.empty() || !walked.ties.empty() || stat(walked.native.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    if (native) {
        *native = walked.native;
    }
    return std::pair{st.st_dev, st.st_ino};
}

} // namespace

std::string PathMap::FormLeadingTo(const std::string& dir, const std::string& shortForm,
                                   Reader reader, std::size_t longest) const {
    std::string native;
    const auto target = DirectoryAt(*this, dir, true, &native);
    if (!target || DirectoryAt(*this, shortForm, reader == Reader::ThisProgram) == target) {
        return shortForm;
    }
    // No system short names here: the full name, which every reader finds.
    std::string full = SystemFormLike(*this, dir, native);
    if (full.back() != '\\') {
        full += '\\';
    }
    return full.size() <= longest ? full : shortForm;
}

PathMap::PathMap(std::vector<DriveInfo> drives) : drives_(std::move(drives)) {
    for (DriveInfo& d : drives_) {
        d.letter = Upper(d.letter);
        d.nativeRoot = Tidy(d.nativeRoot);
    }
    std::sort(drives_.begin(), drives_.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.letter < b.letter; });
}

const PathMap& PathMap::System() {
    static const PathMap map(SystemDrives());
    return map;
}

std::string PathMap::ToSystem(const std::string& nativePath) const {
    const std::string path = Tidy(nativePath);
    const DriveInfo* best = nullptr;
    for (const DriveInfo& d : drives_) {
        if (HasPrefixDir(path, d.nativeRoot) &&
            (!best || d.nativeRoot.size() > best->nativeRoot.size())) {
            best = &d;
        }
    }
    if (!best) {
        std::string relative = path;
        std::replace(relative.begin(), relative.end(), '/', '\\');
        return relative;
    }
    return OnDrive(*best, path);
}

std::string PathMap::ToNative(const std::string& systemPath) const {
    return WalkSystemPath(*this, systemPath, true).native;
}

std::string PathMap::WhyEmulatorCannotBeHanded(const std::string& systemPath) const {
    return WhyANameInThePath(systemPath, WhyWineCannotHandWrittenName);
}

std::string PathMap::WindowsDirectory() const {
    return ToSystem(WinePrefixDir() + "/drive_c/windows");
}

std::string PathMap::CurrentDirectory() const {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) {
        return "Z:\\";
    }
    return ToSystem(buffer);
}

std::string PathMap::DriveCurrentDirectory(char letter) const {
    const std::string current = CurrentDirectory();
    if (DriveLetterOf(current) == Upper(letter)) {
        return current;
    }
    return std::string(1, Upper(letter)) + ":\\";
}

} // namespace platform
