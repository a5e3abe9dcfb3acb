// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "forms/rules.h"

#include <algorithm>

namespace forms {

bool OpenDir(Form& form, std::string_view list, DirRows& rows, const std::string& path,
             std::string* reason, const Redraw& redraw) {
    bool changed = false;
    if (!rows.Open(path, reason, &changed)) {
        return false;
    }
    if (redraw) {
        redraw();
    }
    if (changed) {
        form.Raise(list, Event::Change);
    }
    return true;
}

void ChooseDir(Form& form, std::string_view list, DirRows& rows, int row, const Redraw& redraw) {
    const std::string target = rows.RowPath(row);
    if (target.empty() || target == rows.Path()) {
        return;
    }
    std::string reason;
    if (!OpenDir(form, list, rows, target, &reason, redraw)) {
        form.ListFailed(list, target, reason);
    }
}

void ReadRest(DirRows& rows, const Redraw& redraw, const Grow& grow) {
    const std::shared_ptr<const platform::Listing> was = rows.Contents();
    if (!rows.ReadRest()) {
        return;
    }
    if (redraw) {
        redraw();
    }
    grow(*was);
}

void ChooseDrive(Form& form, std::string_view list, DriveRows& rows, int row) {
    if (!rows.Choose(row)) {
        return;
    }
    const char chosen = rows.Letter(row);
    form.Raise(list, Event::Change);
    rows.SetReadable(chosen, rows.Drive() == chosen);
}

int StepDrive(const DriveRows& rows, int from, int step) {
    for (int row = from + step; row >= 0 && row < rows.Count(); row += step) {
        if (rows.Readable(rows.Letter(row))) {
            return row;
        }
    }
    return from;
}

bool TakesFocus(Kind kind) {
    return kind != Kind::Label && kind != Kind::Frame;
}

std::string_view GroupStop(const Description& d, std::string_view option,
                           const Selected& selected) {
    const auto group = d.GroupOf(option);
    if (group.empty()) {
        return option;
    }
    const auto on = std::find_if(group.begin(), group.end(), selected);
    return on == group.end() ? group.front() : *on;
}

std::string_view NextInGroup(const Description& d, std::string_view option, int step) {
    const auto group = d.GroupOf(option);
    const auto self = std::find(group.begin(), group.end(), option);
    if (self == group.end()) {
        return option;
    }
    const auto size = static_cast<std::ptrdiff_t>(group.size());
    return group[static_cast<std::size_t>(((self - group.begin()) + step % size + size) % size)];
}

std::vector<std::string_view> TabStops(const Description& d, const Selected& selected,
                                       const std::function<bool(std::string_view)>& reachable) {
    std::vector<std::string_view> stops;
    for (const std::string_view name : d.TabOrder()) {
        const Control& c = *d.Find(name);
        if (!TakesFocus(c.kind) || !reachable(name)) {
            continue;
        }
        if (c.kind == Kind::Option && GroupStop(d, name, selected) != name) {
            continue;
        }
        stops.push_back(name);
    }
    return stops;
}

std::string_view NextTabStop(const Description& d, const std::vector<std::string_view>& stops,
                             std::string_view focused, bool back) {
    if (stops.empty()) {
        return {};
    }
    const auto group = d.GroupOf(focused);
    std::ptrdiff_t at = -1;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == focused ||
            (!group.empty() && std::find(group.begin(), group.end(), stops[i]) != group.end())) {
            at = static_cast<std::ptrdiff_t>(i);
        }
    }
    const auto size = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t next =
        at < 0 ? (back ? size - 1 : 0) : (at + (back ? -1 : 1) + size) % size;
    return stops[static_cast<std::size_t>(next)];
}

std::vector<std::string_view> TabCaptions(const Control& tabs) {
    std::vector<std::string_view> captions;
    std::string_view rest = tabs.caption;
    for (std::size_t bar = rest.find('|'); bar != std::string_view::npos; bar = rest.find('|')) {
        captions.push_back(rest.substr(0, bar));
        rest.remove_prefix(bar + 1);
    }
    captions.push_back(rest);
    return captions;
}

std::optional<Link> LinkIn(std::string_view caption) {
    const std::size_t scheme = caption.find("://");
    if (scheme == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t blank = caption.rfind(' ', scheme);
    const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
    return Link{caption.substr(0, start), caption.substr(start)};
}

Point KeepWithin(Point place, int width, int height, const Area& area) {
    place.x = std::max(area.left, std::min(place.x, area.right - width));
    place.y = std::max(area.top, std::min(place.y, area.bottom - height));
    return place;
}

namespace {

constexpr std::size_t kLineBytes = 48; // as wide as Wine's boxes show whole
constexpr std::size_t kWordBytes = kLineBytes;
constexpr std::size_t kLines = 30;

// A cut never falls within a character of several bytes (UTF-8's continuation bytes).
std::size_t CharacterStart(const std::string& text, std::size_t at) {
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        --at;
    }
    return at;
}

std::string FitWord(const std::string& word) {
    if (word.size() <= kWordBytes) {
        return word;
    }
    const std::size_t head = CharacterStart(word, kWordBytes / 2);
    const std::size_t tail = CharacterStart(word, word.size() - (kWordBytes / 2 - 3));
    return word.substr(0, head) + "..." + word.substr(tail);
}

} // namespace

std::string FitMessage(const std::string& text) {
    // Lines broken here, at blanks, are short enough that no box breaks them
    // again, as a toolkit would: after a hyphen, between backslashes.
    std::vector<std::string> lines(1);
    std::string word;
    std::string blanks; // between the last word and the next
    const auto endWord = [&] {
        if (word.empty()) {
            return;
        }
        const std::string fitted = FitWord(std::exchange(word, {}));
        if (!lines.back().empty() &&
            lines.back().size() + blanks.size() + fitted.size() > kLineBytes) {
            lines.emplace_back();
        } else {
            lines.back() += blanks;
        }
        lines.back() += fitted;
        blanks.clear();
    };
    for (const char c : text) {
        if (c == ' ') {
            endWord();
            blanks += c;
        } else if (c == '\n') {
            endWord();
            blanks.clear();
            lines.emplace_back();
        } else {
            word += c;
        }
    }
    endWord();
    if (lines.size() > kLines) {
        const auto keep = static_cast<std::ptrdiff_t>(kLines / 2);
        lines.erase(lines.begin() + keep, lines.end() - keep + 1);
        lines.insert(lines.begin() + keep, "...");
    }
    std::string fitted;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        fitted += (i == 0 ? "" : "\n") + lines[i];
    }
    return fitted;
}

} // namespace forms
