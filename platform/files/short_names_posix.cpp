// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/short_names_posix.h"
#include "platform/ascii_case.h"

#include "platform/files/paths_posix.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <time.h>
#include <unordered_map>

namespace platform {
namespace {

// "PC Eng~1" stands for a long name that starts with "PC Eng", as the short
// path writes it.
bool IsShortForm(const std::string& name) {
    return name.size() >= 3 && name.size() <= 8 && name.compare(name.size() - 2, 2, "~1") == 0;
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
                listing->entries.push_back({AsciiUpperOf(e->d_name), e->d_name});
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
    const std::string upper = AsciiUpperOf(name);
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

} // namespace

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

void ForgetDirectoryListings() {
    Listings().Clear();
}

} // namespace platform
