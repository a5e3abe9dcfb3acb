// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings_text_posix.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/posix/utf8_posix.h"

namespace platform::settings_text {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

std::string EscapedValue(std::string_view value) {
    const bool text = IsUtf8(value);
    std::string s;
    if (!text)
        s.append("@ByteArray(").append(value).append(")");
    else
        s.append(value.starts_with('@') ? "@" : "").append(value);
    std::string out;
    bool quoted = false, hexBefore = false;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        quoted = quoted || c == ';' || c == ',' || c == '=';
        if (hexBefore && IsHexDigit(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%x", b);
            out += hex;
            continue;
        }
        hexBefore = false;
        static constexpr std::string_view kEscaped = "\a\b\f\n\r\t\v\"\\", kLetters = "abfnrtv\"\\";
        if (const std::size_t at = kEscaped.find(c); at != std::string_view::npos) {
            out.push_back('\\');
            out.push_back(kLetters[at]);
        } else if (b <= 0x1F || (b >= 0x7F && !text)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%x", b);
            out += hex;
            hexBefore = true;
        } else {
            out.push_back(c);
        }
    }
    if (quoted || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

// The value's text as QSettings reads it; a list (a comma outside quotes)
// keeps its commas.
std::string UnescapedValue(std::string_view raw) {
    std::u32string units;
    std::size_t i = 0, chopLimit = 0;
    bool inQuotes = false, quoted = false;
    const auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        chopLimit = units.size();
    };
    const auto chop = [&] {
        while (units.size() > chopLimit && (units.back() == ' ' || units.back() == '\t'))
            units.pop_back();
    };
    skipSpaces();
    while (i < raw.size()) {
        const char c = raw[i++];
        if (c == '\\') {
            if (i >= raw.size()) {
                units.push_back('\\'); // a closing backslash as typed
                chopLimit = units.size();
                break;
            }
            const char e = raw[i++];
            static constexpr std::string_view kLetters = "abfnrtv\"?'\\",
                                              kMeant = "\a\b\f\n\r\t\v\"?'\\";
            if (const std::size_t at = kLetters.find(e); at != std::string_view::npos) {
                units.push_back(static_cast<unsigned char>(kMeant[at]));
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                char32_t u = e == 'x' ? 0 : static_cast<char32_t>(e - '0');
                while (i < raw.size() &&
                       (e == 'x' ? IsHexDigit(raw[i]) : raw[i] >= '0' && raw[i] <= '7'))
                    u = e == 'x' ? (u << 4) + HexValue(raw[i++]) : (u << 3) + (raw[i++] - '0');
                units.push_back(u & 0xFFFF);
            } else {
                // No escape: a path typed by hand, C:\Emu, means what it shows.
                units.push_back('\\');
                --i;
            }
            chopLimit = units.size();
        } else if (c == '"') {
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces();
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chop();
            units.push_back(',');
            quoted = false;
            skipSpaces();
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            // The file is UTF-8 throughout (checked on reading).
            const auto b = static_cast<unsigned char>(c);
            const std::size_t more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
            char32_t u = b & (0x3F >> more);
            for (std::size_t k = 0; k < more && i < raw.size(); ++k)
                u = (u << 6) | (static_cast<unsigned char>(raw[i++]) & 0x3F);
            units.push_back(u);
        } else {
            units.push_back(static_cast<unsigned char>(c));
        }
    }
    if (!quoted)
        chop();
    std::u32string_view text = units;
    std::string out;
    if (text.starts_with(U"@ByteArray(") && text.ends_with(U")")) {
        for (const char32_t u : text.substr(11, text.size() - 12))
            out.push_back(static_cast<char>(u));
        return out;
    }
    if (text.starts_with(U"@@"))
        text.remove_prefix(1);
    for (const char32_t u : text)
        AppendUtf8(out, u);
    return out;
}

// One line of the file: its bytes from begin to next. A line never goes on
// over the next one, whatever it ends in: a value typed as C:\Emu\ must not
// take the line after it along.
struct Line {
    std::size_t begin = 0, next = 0;
    std::string_view text; // without its line break
};

std::vector<Line> Lines(std::string_view file) {
    std::vector<Line> lines;
    for (std::size_t at = 0; at < file.size();) {
        std::size_t end = file.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? file.size() : end + 1;
        if (end == std::string_view::npos)
            end = file.size();
        std::string_view text = file.substr(at, end - at);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        lines.push_back({at, next, text});
        at = next;
    }
    return lines;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

enum class Kind { Other, Header, Entry };

Kind KindOf(std::string_view text, std::string_view& name, std::string_view& value) {
    const std::string_view t = Trimmed(text);
    if (t.empty() || t.front() == ';' || t.front() == '#')
        return Kind::Other;
    if (t.front() == '[') {
        if (t.back() != ']')
            return Kind::Other;
        name = t.substr(1, t.size() - 2);
        return Kind::Header;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return Kind::Other;
    name = Trimmed(t.substr(0, eq));
    value = t.substr(eq + 1);
    return Kind::Entry;
}

// Where the entry lies: the last line of the key in a section of the name
// (QSettings lets the last one win), or else the last line of the last such
// section, to add it after.
struct Place {
    std::optional<Line> entry;
    std::optional<std::size_t> sectionEnd; // where a new entry goes
    std::string value;
};

Place Find(std::string_view file, const std::string& section, const std::string& key) {
    Place place;
    bool inSection = false;
    for (const Line& line : Lines(file)) {
        std::string_view name, value;
        const Kind kind = KindOf(line.text, name, value);
        if (kind == Kind::Header) {
            inSection = name == section;
            if (inSection)
                place.sectionEnd = line.next;
        } else if (inSection && kind == Kind::Entry) {
            place.sectionEnd = line.next;
            if (name == key) {
                place.entry = line;
                place.value = UnescapedValue(value);
            }
        }
    }
    return place;
}

} // namespace

std::string EscapedName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) || c == '_' || c == '-' || c == '.') {
            out.push_back(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", b);
            out += hex;
        }
    }
    return out;
}

bool Parses(std::string_view file) {
    if (!IsUtf8(file) || file.find('\0') != std::string_view::npos)
        return false;
    for (const Line& line : Lines(file)) {
        std::string_view name, value;
        const std::string_view t = Trimmed(line.text);
        if (KindOf(line.text, name, value) == Kind::Other && !t.empty() && t.front() != ';' &&
            t.front() != '#')
            return false;
    }
    return true;
}

std::string Value(std::string_view file, const std::string& section, const std::string& key) {
    return Find(file, section, key).value;
}

std::string Edited(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    const Place place = Find(file, section, key);
    const std::string line = key + "=" + EscapedValue(value);
    const std::string eol = file.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string out;
    if (place.entry) {
        out = file.substr(0, place.entry->begin) + line + eol + file.substr(place.entry->next);
    } else if (place.sectionEnd) {
        const std::size_t at = *place.sectionEnd;
        out = file.substr(0, at);
        if (!out.empty() && out.back() != '\n')
            out += eol;
        out += line + eol + file.substr(at);
    } else {
        out = file;
        if (!out.empty() && out.back() != '\n')
            out += eol;
        if (!out.empty())
            out += eol;
        out += "[" + section + "]" + eol + line + eol;
    }
    return out;
}

} // namespace platform::settings_text
