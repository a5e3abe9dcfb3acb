// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/profile/ini_text.h"

#include "platform/ascii_case.h"

#include <cstring>

namespace platform::ini {

namespace {

// On what a file says (which line is a header, an entry or a comment, which
// bytes belong to a name) these functions side with Wine, because the
// emulator reads the file through Wine; what the functions return follows
// Windows. Wine trims every C blank: space, tab, VT and FF.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// A file saved by a modern editor may start with a UTF-8 byte-order mark;
// it belongs to no line, and edits keep it where it is.
std::size_t TextStart(std::string_view text) {
    return text.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
}

void Classify(std::string_view text, Line& line) {
    std::size_t i = line.begin;
    // A NUL ends the line's text, as Windows and Wine read a file.
    const std::size_t nul = text.substr(0, line.end).find('\0', line.begin);
    const std::size_t end = nul == std::string_view::npos ? line.end : nul;
    while (i < end && IsBlank(text[i]))
        ++i;
    line.hasEquals = false;
    line.name = {};
    line.value = {};
    if (i == end) {
        line.kind = LineKind::Blank;
        return;
    }
    const std::string_view rest = text.substr(i, end - i);
    if (rest.front() == ';') {
        line.kind = LineKind::Comment;
        return;
    }
    // A "[" line without "]" is no header for Wine: it stays an entry of the
    // section before it.
    const std::size_t close = rest.front() == '[' ? rest.find(']', 1) : std::string_view::npos;
    if (close != std::string_view::npos) {
        line.kind = LineKind::Header;
        line.name = TrimBlanks(rest.substr(1, close - 1));
        return;
    }
    line.kind = LineKind::Entry;
    const std::size_t eq = rest.find('=');
    if (eq == std::string_view::npos) {
        line.name = TrimBlanks(rest);
        return;
    }
    line.hasEquals = true;
    line.name = TrimBlanks(rest.substr(0, eq));
    line.value = TrimBlanks(rest.substr(eq + 1));
}

// Where the first section of a name lies: its header line and the start of
// the next header (or the text's end).
struct SectionSpan {
    Line header;
    std::size_t end = 0;
};

std::optional<SectionSpan> FindSection(std::string_view text, std::string_view section) {
    section = TrimBlanks(section);
    LineReader reader(text);
    Line line;
    std::optional<SectionSpan> span;
    while (reader.Next(line)) {
        if (line.kind != LineKind::Header)
            continue;
        if (span) {
            span->end = line.begin;
            return span;
        }
        if (NamesEqual(line.name, section))
            span = SectionSpan{line, text.size()};
    }
    return span;
}

// Calls visit(line) for every line of the body [begin, end) until it returns false.
template <typename Visit>
void ForEachBodyLine(std::string_view text, std::size_t begin, std::size_t end, Visit visit) {
    LineReader reader(text.substr(0, end));
    reader.Seek(begin);
    Line line;
    while (reader.Next(line)) {
        if (!visit(line))
            return;
    }
}

template <typename Visit>
void ForEachBodyLine(std::string_view text, const SectionSpan& span, Visit visit) {
    ForEachBodyLine(text, span.header.next, span.end, visit);
}

// Wine reads a line without "=" as a key without a value, so such a line is
// the key for reading, writing and removing alike: the first line of a name wins.
bool IsKeyLine(const Line& line, std::string_view key) {
    return line.kind == LineKind::Entry && NamesEqual(line.name, key);
}

std::optional<std::string_view> ValueIn(std::string_view text, std::size_t begin, std::size_t end,
                                        std::string_view key) {
    key = TrimBlanks(key);
    std::optional<std::string_view> found;
    ForEachBodyLine(text, begin, end, [&](const Line& line) {
        if (IsKeyLine(line, key)) {
            // A key without "=" holds no value: the default comes back.
            if (line.hasEquals)
                found = Unquote(line.value);
            return false;
        }
        return true;
    });
    return found;
}

// The entries of the body [begin, end), as SectionEntries gives them.
std::vector<std::string> EntriesIn(std::string_view text, std::size_t begin, std::size_t end) {
    std::vector<std::string> entries;
    // Wine drops an entry without a name ("=value") that follows another one
    // with only blank lines between.
    bool afterUnnamed = false;
    ForEachBodyLine(text, begin, end, [&](const Line& line) {
        if (line.kind == LineKind::Blank)
            return true;
        const bool unnamed = line.kind == LineKind::Entry && line.name.empty();
        const bool dropped = unnamed && afterUnnamed;
        afterUnnamed = unnamed;
        if (line.kind != LineKind::Entry || dropped)
            return true;
        std::string entry(line.name);
        if (line.hasEquals)
            entry.append("=").append(line.value);
        entries.push_back(std::move(entry));
        return true;
    });
    return entries;
}

std::string Folded(std::string_view name) {
    return AsciiLowerOf(name);
}

bool HasBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool EndsWithBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

void AppendNewSection(std::string& out, std::string_view text, std::string_view section,
                      std::string_view eol) {
    out.append(text);
    if (text.size() > TextStart(text) && !EndsWithBreak(text))
        out.append(eol);
    out.append("[").append(TrimBlanks(section)).append("]").append(eol);
}

} // namespace

LineReader::LineReader(std::string_view text) : text_(text), pos_(TextStart(text)) {}

void LineReader::Seek(std::size_t pos) {
    pos_ = pos;
}

bool LineReader::Next(Line& line) {
    const std::size_t n = text_.size();
    if (pos_ >= n)
        return false;
    const char* base = text_.data();
    const char* start = base + pos_;
    // memchr is far faster than a byte loop on large files; a lone CR is rare.
    const void* lf = std::memchr(start, '\n', n - pos_);
    const std::size_t lfPos = lf ? static_cast<const char*>(lf) - base : n;
    const void* cr = std::memchr(start, '\r', lfPos - pos_);
    line.begin = pos_;
    if (cr) {
        line.end = static_cast<const char*>(cr) - base;
        line.next = (line.end + 1 < n && base[line.end + 1] == '\n') ? line.end + 2 : line.end + 1;
    } else {
        line.end = lfPos;
        line.next = lfPos < n ? lfPos + 1 : n;
    }
    pos_ = line.next;
    Classify(text_, line);
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool NamesEqual(std::string_view a, std::string_view b) {
    return SameIgnoringAsciiCase(a, b);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view LineEnding(std::string_view text) {
    const std::size_t i = text.find_first_of("\r\n");
    if (i == std::string_view::npos)
        return "\r\n";
    if (text[i] == '\n')
        return "\n";
    return (i + 1 < text.size() && text[i + 1] == '\n') ? std::string_view("\r\n")
                                                        : std::string_view("\r");
}

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    const auto span = FindSection(text, section);
    if (!span)
        return std::nullopt;
    return ValueIn(text, span->header.next, span->end, key);
}

SectionIndex::SectionIndex(std::string_view text) {
    LineReader reader(text);
    Line line;
    Body* open = nullptr; // the section being walked, when it is the first of its name
    while (reader.Next(line)) {
        if (line.kind != LineKind::Header)
            continue;
        if (open)
            open->end = line.begin;
        if (!line.name.empty()) {
            const auto at = static_cast<std::size_t>(line.name.data() - text.data());
            names_.push_back({at, at + line.name.size()});
        }
        const auto [at, added] =
            first_.try_emplace(Folded(line.name), Body{line.next, text.size()});
        open = added ? &at->second : nullptr;
    }
}

std::optional<std::string_view> SectionIndex::FindValue(std::string_view text,
                                                        std::string_view section,
                                                        std::string_view key) const {
    const auto at = first_.find(Folded(TrimBlanks(section)));
    if (at == first_.end())
        return std::nullopt;
    return ValueIn(text, at->second.begin, at->second.end, key);
}

std::optional<std::vector<std::string>> SectionEntries(std::string_view text,
                                                       std::string_view section) {
    const auto span = FindSection(text, section);
    if (!span)
        return std::nullopt;
    return EntriesIn(text, span->header.next, span->end);
}

std::optional<std::vector<std::string>>
SectionIndex::SectionEntries(std::string_view text, std::string_view section) const {
    const auto at = first_.find(Folded(TrimBlanks(section)));
    if (at == first_.end())
        return std::nullopt;
    return EntriesIn(text, at->second.begin, at->second.end);
}

std::vector<std::string_view> SectionIndex::SectionNames(std::string_view text) const {
    std::vector<std::string_view> names;
    names.reserve(names_.size());
    for (const Body& name : names_)
        names.push_back(text.substr(name.begin, name.end - name.begin));
    return names;
}

std::optional<std::pair<std::size_t, std::size_t>> SectionExtent(std::string_view text,
                                                                 std::string_view section) {
    const auto span = FindSection(text, section);
    if (!span)
        return std::nullopt;
    return std::pair(span->header.begin, span->end);
}

std::vector<std::string_view> KeyNames(std::string_view text, std::string_view section) {
    std::vector<std::string_view> keys;
    const auto span = FindSection(text, section);
    if (!span)
        return keys;
    ForEachBodyLine(text, *span, [&](const Line& line) {
        if (line.kind == LineKind::Entry && line.hasEquals)
            keys.push_back(line.name);
        return true;
    });
    return keys;
}

std::vector<std::string_view> SectionNames(std::string_view text) {
    std::vector<std::string_view> names;
    LineReader reader(text);
    Line line;
    while (reader.Next(line)) {
        if (line.kind == LineKind::Header && !line.name.empty())
            names.push_back(line.name);
    }
    return names;
}

void SetValue(std::string_view text, std::string_view section, std::string_view key,
              std::string_view value, std::string& out) {
    const std::string_view eol = LineEnding(text);
    key = TrimBlanks(key);
    out.clear();
    const auto span = FindSection(text, section);
    if (!span) {
        out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
        AppendNewSection(out, text, section, eol);
        out.append(key).append("=").append(value).append(eol);
        return;
    }
    std::optional<Line> match;
    Line last = span->header;
    ForEachBodyLine(text, *span, [&](const Line& line) {
        if (line.kind != LineKind::Entry)
            return true;
        if (IsKeyLine(line, key)) {
            match = line;
            return false;
        }
        last = line;
        return true;
    });
    out.reserve(text.size() + key.size() + value.size() + 4);
    if (match && match->hasEquals && match->value == value) {
        out.append(text); // so that the file stays untouched
        return;
    }
    if (match) {
        // The key keeps the spelling it has in the file.
        out.append(text.substr(0, match->begin)).append(match->name).append("=").append(value);
        out.append(text.substr(match->end));
        return;
    }
    out.append(text.substr(0, last.next));
    if (last.end == last.next)
        out.append(eol);
    out.append(key).append("=").append(value).append(eol);
    out.append(text.substr(last.next));
}

void RemoveKey(std::string_view text, std::string_view section, std::string_view key,
               std::string& out) {
    out.assign(text);
    const auto span = FindSection(text, section);
    if (!span)
        return;
    key = TrimBlanks(key);
    std::optional<Line> match;
    ForEachBodyLine(text, *span, [&](const Line& line) {
        if (IsKeyLine(line, key)) {
            match = line;
            return false;
        }
        return true;
    });
    if (!match)
        return;
    out.assign(text.substr(0, match->begin));
    out.append(text.substr(match->next));
}

void RemoveSection(std::string_view text, std::string_view section, std::string& out) {
    const auto span = FindSection(text, section);
    if (!span) {
        out.assign(text);
        return;
    }
    out.assign(text.substr(0, span->header.begin));
    out.append(text.substr(span->end));
}

void ReplaceSection(std::string_view text, std::string_view section,
                    const std::vector<std::string_view>& entries, std::string& out) {
    const std::string_view eol = LineEnding(text);
    out.clear();
    const auto span = FindSection(text, section);
    if (!span) {
        AppendNewSection(out, text, section, eol);
        for (const auto& entry : entries)
            out.append(entry).append(eol);
        return;
    }
    out.append(text.substr(0, span->header.next));
    if (span->header.end == span->header.next && !entries.empty())
        out.append(eol);
    for (const auto& entry : entries)
        out.append(entry).append(eol);
    ForEachBodyLine(text, *span, [&](const Line& line) {
        if (line.kind != LineKind::Entry)
            out.append(text.substr(line.begin, line.next - line.begin));
        return true;
    });
    out.append(text.substr(span->end));
}

bool IsWritableSection(std::string_view section) {
    return !HasBreakOrNul(section) && section.find(']') == std::string_view::npos;
}

bool IsWritableKey(std::string_view key) {
    if (HasBreakOrNul(key))
        return false;
    key = TrimBlanks(key);
    return key.find('=') == std::string_view::npos &&
           (key.empty() || (key.front() != '[' && key.front() != ';'));
}

bool IsWritableValue(std::string_view value) {
    return !HasBreakOrNul(value);
}

bool IsWritableEntry(std::string_view entry) {
    if (HasBreakOrNul(entry))
        return false;
    entry = TrimBlanks(entry);
    return entry.empty() || entry.front() != '[';
}

} // namespace platform::ini
