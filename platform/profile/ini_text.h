// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The text of an INI file as the emulator sees it through Wine, and the edits
// the profile functions make. Bytes are never decoded; only ASCII letters fold in names.
namespace platform::ini {

// A file saved by a modern editor may start with it; it belongs to no line.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

enum class LineKind { Blank, Comment, Header, Entry };

struct Line {
    std::size_t begin = 0; // first byte of the line
    std::size_t end = 0;   // first byte of its line ending
    std::size_t next = 0;  // first byte of the next line
    LineKind kind = LineKind::Blank;
    bool hasEquals = false;
    // Header: its name. Entry with "=": the key. Entry without: its whole text.
    // All trimmed of blanks.
    std::string_view name;
    std::string_view value; // an entry's text after its first "=", trimmed
};

// Lines end at CR LF, LF or CR.
class LineReader {
public:
    explicit LineReader(std::string_view text); // from after a UTF-8 byte-order mark
    bool Next(Line& line);
    void Seek(std::size_t pos); // pos must start a line

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string_view TrimBlanks(std::string_view s);
bool NamesEqual(std::string_view a, std::string_view b);
// One pair of matching outer quotes (" or ') off a value longer than one character.
std::string_view Unquote(std::string_view value);
// The first line ending of the text; CR LF when it has none.
std::string_view LineEnding(std::string_view text);

// Queries. Names are trimmed before matching; the first section and the first
// key of a name win.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key);
// The section's entries: "key=value" with both sides trimmed, or the trimmed
// text of a line without "="; comments and blank lines left out.
std::optional<std::vector<std::string>> SectionEntries(std::string_view text,
                                                       std::string_view section);
std::vector<std::string_view> KeyNames(std::string_view text, std::string_view section);
// Where the first section of the name lies, its header line included: the
// edits of that section alone come out the same on this part of the text.
std::optional<std::pair<std::size_t, std::size_t>> SectionExtent(std::string_view text,
                                                                 std::string_view section);
// Every header's name, duplicates too, in file order; unnamed ones left out.
std::vector<std::string_view> SectionNames(std::string_view text);

// Where the first section of each name lies in one text, and where its
// headers are named, so that a text read many times is walked once: a query
// then reads only that section's lines.
class SectionIndex {
public:
    explicit SectionIndex(std::string_view text);
    // As the free functions of the same names, on the text the index was made from.
    std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                              std::string_view key) const;
    std::optional<std::vector<std::string>> SectionEntries(std::string_view text,
                                                           std::string_view section) const;
    std::vector<std::string_view> SectionNames(std::string_view text) const;

private:
    struct Body {
        std::size_t begin = 0, end = 0;
    };
    std::unordered_map<std::string, Body> first_; // by the name in lower case
    std::vector<Body> names_;                     // every named header's name, in file order
};

// Edits: each puts the whole new text into out (its room is reused, so that
// a big file costs no new memory per write) and keeps every byte it does not
// need to change. Callers have refused line breaks and NULs in the arguments;
// out must not overlap text.
void SetValue(std::string_view text, std::string_view section, std::string_view key,
              std::string_view value, std::string& out);
void RemoveKey(std::string_view text, std::string_view section, std::string_view key,
               std::string& out);
void RemoveSection(std::string_view text, std::string_view section, std::string& out);
// The section's entries become exactly these lines, right after its header;
// its comments and blank lines stay after them.
void ReplaceSection(std::string_view text, std::string_view section,
                    const std::vector<std::string_view>& entries, std::string& out);

// Arguments that would break the file's structure if written: line breaks in
// anything, a "]" in a section name (the header would end early), a key that
// would read as a header, a comment or another key.
bool IsWritableSection(std::string_view section);
bool IsWritableKey(std::string_view key);
bool IsWritableValue(std::string_view value);
bool IsWritableEntry(std::string_view entry);

} // namespace platform::ini
