// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings_posix.h"
#include "platform/settings/settings.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/profile/file_io_posix.h"
#include "platform/profile/kept_copy_posix.h"
#include "platform/profile/utf8.h"

namespace platform {
namespace {

using file_io::UniqueFd;

// The store's file in the form QSettings gives it, so that what earlier
// versions wrote reads on, and the other way round: "[Section]" and
// "Key=value" lines, values escaped as QSettings escapes them, UTF-8 text as
// text and other bytes as "@ByteArray(...)".

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t more = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : 9;
        if (more == 9 || b > 0xF4 || i + more >= s.size())
            return false;
        char32_t u = b & (0x7F >> more);
        for (std::size_t k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            u = (u << 6) | (c & 0x3F);
        }
        if ((more == 2 && (u < 0x800 || (u >= 0xD800 && u < 0xE000))) ||
            (more == 3 && (u < 0x10000 || u > 0x10FFFF)))
            return false;
        i += more + 1;
    }
    return true;
}

// Names: letters, digits, "_", "-" and "." as they are, other bytes as %XX.
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
            if (i >= raw.size())
                break;
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

// One logical line of the file: its bytes from begin to next (an entry may
// go on over lines that end in an unescaped "\").
struct Line {
    std::size_t begin = 0, next = 0;
    std::string text; // the logical line without its breaks and joins
};

std::vector<Line> Lines(std::string_view file) {
    std::vector<Line> lines;
    Line line;
    for (std::size_t at = 0; at < file.size();) {
        std::size_t end = file.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? file.size() : end + 1;
        if (end == std::string_view::npos)
            end = file.size();
        std::string_view piece = file.substr(at, end - at);
        if (piece.ends_with('\r'))
            piece.remove_suffix(1);
        std::size_t slashes = 0;
        while (slashes < piece.size() && piece[piece.size() - 1 - slashes] == '\\')
            ++slashes;
        line.text.append(piece.substr(0, piece.size() - slashes % 2));
        at = next;
        line.next = next;
        if (slashes % 2 == 0 || at == file.size()) {
            lines.push_back(std::move(line));
            line = Line{};
            line.begin = at;
        }
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

// Whether every line is one the store knows: blank, a comment, a header, or
// key=value, in UTF-8 without NULs. Anything else would be lost by a rewrite.
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

constexpr off_t kLargestFile = 1 << 20;

// The file's bytes, or why it cannot be used; nothing when it is absent.
struct Contents {
    bool exists = false;
    std::string bytes;
    std::string damage; // for the user: "is not a regular file", ...
};

Contents ReadStore(const std::string& file) {
    Contents c;
    // O_NONBLOCK: a FIFO in its place must not hold the program up.
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        struct stat st {};
        c.exists = ::lstat(file.c_str(), &st) == 0;
        if (c.exists)
            c.damage = S_ISLNK(st.st_mode) ? "is a link that leads nowhere" : "could not be read";
        return c;
    }
    c.exists = true;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        c.damage = "is not a regular file";
    } else if (st.st_size > kLargestFile) {
        c.damage = "is larger than any settings file (over 1 MiB)";
    } else if (file_io::ReadAll(fd.Get(), static_cast<std::size_t>(st.st_size), c.bytes) != 0 ||
               !Parses(c.bytes)) {
        c.damage = "could not be parsed";
    }
    if (!c.damage.empty())
        c.bytes.clear();
    return c;
}

std::string DirOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the directory and any missing parent, private to the user.
bool MakeDirs(const std::string& dir) {
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos) {
            struct stat st {};
            return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
    }
}

// A free name beside the file, so that no earlier damaged file is lost.
std::string AsideName(const std::string& file) {
    std::string aside = file + ".damaged";
    struct stat st {};
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n)
        aside = file + ".damaged-" + std::to_string(n);
    return aside;
}

SaveResult Failed(std::string reason) {
    return {false, std::move(reason), {}};
}

// Written whole under a temporary name in its directory, private from its
// first byte, then put in the old one's place.
SaveResult Replace(const std::string& file, const std::string& bytes) {
    const std::string dir = DirOf(file);
    std::string temp = dir + "/.Vorlanes.conf.XXXXXX";
    UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC)); // 0600
    if (!fd) {
        const int e = errno;
        if (e == EACCES || e == EPERM || e == EROFS)
            return Failed("the directory " + dir + " is not writable.");
        return Failed(file + " could not be written: " + std::strerror(e) + ".");
    }
    int e = file_io::WriteAll(fd.Get(), bytes);
    if (e == 0 && (::fchmod(fd.Get(), 0600) != 0 || ::fsync(fd.Get()) != 0))
        e = errno;
    if (::close(fd.Release()) != 0 && e == 0)
        e = errno;
    if (e == 0 && ::rename(temp.c_str(), file.c_str()) != 0)
        e = errno;
    if (e != 0) {
        ::unlink(temp.c_str());
        return Failed(file + " could not be written: " + std::strerror(e) + ".");
    }
    return {};
}

class PosixSettingsStore final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        const std::string file = SettingsFilePath(application);
        if (file.empty())
            return {};
        const Contents c = ReadStore(file);
        return c.damage.empty() ? Find(c.bytes, EscapedName(section), EscapedName(key)).value
                                : std::string();
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        const std::string named = SettingsFilePath(application);
        if (named.empty())
            return Failed("no home directory is known for this user, to keep the setting in.");
        std::string file = named;
        struct stat st {};
        if (::lstat(named.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            // Dotfile managers link such files; the link is followed only to a
            // file of our own, never to take another user's file over.
            char real[PATH_MAX];
            if (::realpath(named.c_str(), real) == nullptr || ::stat(real, &st) != 0)
                return Failed(named + " is a link that leads to no file: not written.");
            if (st.st_uid != ::geteuid())
                return Failed(named + " is a link to " + real +
                              ", which belongs to another user: not written.");
            file = real;
        } else if (::lstat(named.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                   st.st_uid != ::geteuid()) {
            return Failed(named + " belongs to another user: not written.");
        }
        const std::string dir = DirOf(file);
        if (!MakeDirs(dir))
            return Failed("the directory " + dir + " could not be created.");
        Contents c = ReadStore(file);
        std::string note;
        if (!c.damage.empty()) {
            const std::string aside = AsideName(file);
            if (::rename(file.c_str(), aside.c_str()) != 0)
                return Failed(file + " " + c.damage + " and could not be set aside as " + aside +
                              ".");
            note = "The settings file " + file + " " + c.damage + ": it was kept as " + aside +
                   " and replaced.";
        } else if (c.exists && ::access(file.c_str(), W_OK) != 0) {
            return Failed(file + " is read-only.");
        }
        SaveResult result =
            Replace(file, Edited(c.bytes, EscapedName(section), EscapedName(key), value));
        if (result.ok)
            result.note = note;
        return result;
    }
};

} // namespace

std::string SettingsFilePath(const std::string& application) {
    const std::string dir = XdgBaseDir("XDG_CONFIG_HOME", ".config");
    return dir.empty() ? dir : dir + "/" + application + ".conf";
}

SettingsStore& SystemSettings() {
    static PosixSettingsStore store;
    return store;
}

} // namespace platform
