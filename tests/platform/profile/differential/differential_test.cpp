// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Our profile functions and Wine's kernel32, given the same random files and
// the same calls, must agree result by result and byte by byte, but for the
// differences listed below, each with its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "platform/files/paths.h"
#include "platform/profile/differential/profile_calls.h"
#include "platform/profile/differential/replayer.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile.h"
#include "support/temp_dir.h"

namespace differential {
namespace {

namespace fs = std::filesystem;

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() { // splitmix64: the same numbers on every system
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Percent(std::size_t p) { return Below(100) < p; }
    template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
        return items[Below(N)];
    }

private:
    std::uint64_t state_;
};

// Names and values that differ only in case, blanks, quotes or comments, so
// that calls keep meeting what the file holds.
const std::string kSections[] = {"Main",      "main",  "MAIN",  "Setup", "a", "b",
                                 "Main Sect", " Main", "Main ", "x;y",   "A"};
const std::string kKeys[] = {"rom_dir", "ROM_DIR", "k", "K", "a b", " k", "k ", "key2", "x"};
const std::string kValues[] = {"",      "1",         "0",      " 1 ",
                               "\"q\"", "\"q",       "a=b",    "C:\\Games\\PC Engine\\",
                               "x ;c",  "\t1\t",     "dflt  ", "\xE9t\xE9",
                               "'s'",   "\"a\" b\"", "x\x0By", std::string(300, 'v')};
const std::uint32_t kSizes[] = {0, 1, 2, 3, 4, 5, 6, 8, 12, 16, 32, 64, 255, 1024};

std::string Blanks(Random& r) {
    const std::string blanks[] = {"", "", "", " ", "  ", "\t", " \t"};
    return r.Pick(blanks);
}

std::string Line(Random& r) {
    switch (r.Below(12)) {
    case 0:
    case 1:
    case 2:
        return Blanks(r) + "[" + r.Pick(kSections) + "]" + (r.Percent(15) ? " ;c" : Blanks(r));
    case 3:
        return "[" + r.Pick(kSections); // never closed
    case 4:
        return ";" + r.Pick(kKeys) + "=" + r.Pick(kValues);
    case 5:
        return r.Percent(50) ? "" : Blanks(r);
    case 6:
        return r.Pick(kKeys); // no "="
    case 7:
        return "=" + r.Pick(kValues);
    default:
        return Blanks(r) + r.Pick(kKeys) + Blanks(r) + "=" + Blanks(r) + r.Pick(kValues);
    }
}

std::optional<std::string> File(Random& r) {
    if (r.Percent(5))
        return std::nullopt;
    std::string text = r.Percent(5) ? std::string(platform::ini::kUtf8Mark) : "";
    const std::size_t lines = r.Percent(5) ? 0 : r.Below(14);
    const std::string endings[] = {"\r\n", "\n"};
    const bool mixed = r.Percent(10);
    const std::string ending = r.Pick(endings);
    for (std::size_t i = 0; i < lines; ++i) {
        text += Line(r);
        if (i + 1 < lines || r.Percent(70))
            text += mixed ? r.Pick(endings) : ending;
    }
    return text;
}

Arg Maybe(Random& r, const std::string& text, std::size_t nullPercent) {
    return r.Percent(nullPercent) ? Null() : Text(text);
}

Call MakeCall(Random& r) {
    Call call;
    call.size = r.Pick(kSizes);
    const std::size_t op = r.Below(100);
    if (op < 35) {
        call.op = Op::String;
        call.a = Maybe(r, r.Pick(kSections), 6);
        call.b = Maybe(r, r.Pick(kKeys), 6);
        call.c = Maybe(r, r.Pick(kValues), 10);
    } else if (op < 50) {
        call.op = Op::Section;
        call.a = Text(r.Pick(kSections));
        // Wine's GetPrivateProfileSectionA writes before a buffer of size 0.
        call.size = std::max<std::uint32_t>(call.size, 1);
    } else if (op < 58) {
        call.op = Op::Names;
    } else if (op < 88) {
        call.op = Op::WriteString;
        call.a = Maybe(r, r.Pick(kSections), 2);
        // Wine reads through a null key when the section is null and the value is not.
        call.b = call.a.null && r.Percent(30) ? Null() : Maybe(r, r.Pick(kKeys), 5);
        if (call.a.null && call.b.null) {
            call.c = Null();
            return call;
        }
        call.c = Maybe(r, r.Pick(kValues), 10);
    } else {
        call.op = Op::WriteSection;
        call.a = Text(r.Pick(kSections));
        if (r.Percent(5)) {
            call.c = Null();
        } else {
            std::string entries;
            for (std::size_t i = r.Below(4); i > 0; --i) {
                entries += r.Percent(10) ? r.Pick(kKeys) : r.Pick(kKeys) + "=" + r.Pick(kValues);
                entries.push_back('\0');
            }
            entries.push_back('\0');
            call.c = Text(entries);
        }
    }
    return call;
}

std::optional<std::string> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Put(const fs::path& file, const std::optional<std::string>& bytes) {
    std::error_code ignored;
    fs::remove(file, ignored);
    if (bytes)
        std::ofstream(file, std::ios::binary) << *bytes;
}

// On Z: for both sides, even where the directory lies on a drive of the prefix.
std::string SystemPath(const fs::path& native) {
    static const platform::PathMap zOnly({{'Z', "/", "/"}});
    return zOnly.ToSystem(native.string());
}

// What one call did on both sides.
struct Outcome {
    const Call& call;
    const std::optional<std::string>& before; // the file ahead of the call
    const Result& ours;
    const Result& wine;
    const std::optional<std::string>& oursAfter;
    const std::optional<std::string>& wineAfter;
};

// The parts of an outcome that can differ; an expected difference explains some.
enum Part : unsigned { kValue = 1, kError = 2, kBuffer = 4, kFile = 8 };

unsigned Differing(const Outcome& o) {
    unsigned parts = 0;
    if (o.ours.value != o.wine.value)
        parts |= kValue;
    if (o.ours.error != o.wine.error)
        parts |= kError;
    if (o.ours.buffer != o.wine.buffer)
        parts |= kBuffer;
    if (o.oursAfter != o.wineAfter)
        parts |= kFile;
    return parts;
}

bool IsWrite(const Call& call) {
    return call.op == Op::WriteString || call.op == Op::WriteSection;
}

// Both files hold the same sections with the same entries, read as both readers do.
bool SameMeaning(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    if (!a || !b)
        return a == b;
    const auto namesA = platform::ini::SectionNames(*a), namesB = platform::ini::SectionNames(*b);
    if (namesA.size() != namesB.size())
        return false;
    for (std::size_t i = 0; i < namesA.size(); ++i) {
        if (namesA[i] != namesB[i] || platform::ini::SectionEntries(*a, namesA[i]) !=
                                          platform::ini::SectionEntries(*b, namesB[i]))
            return false;
    }
    return true;
}

// The text as Wine writes it back: in a UTF-8 file every byte that is no
// UTF-8 becomes U+FFFD.
std::optional<std::string> AsWineRewritesIt(const std::optional<std::string>& file) {
    if (!file || !file->starts_with(platform::ini::kUtf8Mark))
        return file;
    std::string out;
    const std::string& s = *file;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        bool valid = length != 0 && b <= 0xF4 && i + length <= s.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (valid) {
            out.append(s, i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

struct Expected {
    const char* reason;
    unsigned parts;
    std::function<bool(const Outcome&)> matches;
    std::size_t seen = 0;
};

std::vector<Expected> ExpectedDifferences() {
    using O = const Outcome&;
    return {
        {"reads give Windows' last errors (2 when the default or nothing comes back, 234 when "
         "cut short); Wine leaves the last one or gives 122",
         kError,
         [](O o) { return !IsWrite(o.call) && (o.ours.error == 2 || o.ours.error == 234); }},
        {"after a successful write the last error means nothing; Wine's holds a code of its own "
         "internals",
         kError, [](O o) { return IsWrite(o.call) && o.ours.value != 0 && o.wine.value != 0; }},
        {"a flush (all three arguments NULL) always returns FALSE, as Windows documents it, so its "
         "last error means nothing",
         kError,
         [](O o) {
             return o.call.op == Op::WriteString && o.call.a.null && o.call.b.null && o.call.c.null;
         }},
        {"a list of names ends with two NULs, cut short or empty, as on Windows (Wine's own "
         "conformance test marks it to do); Wine writes one",
         kBuffer,
         [](O o) {
             const std::size_t end = o.ours.value + 1; // where the second NUL goes
             const bool list = o.call.op == Op::Names ||
                               (o.call.op == Op::String && (o.call.a.null || o.call.b.null));
             return list && end < o.call.size &&
                    (o.ours.value == 0 || o.ours.value == o.call.size - 2) &&
                    o.ours.buffer[end] == '\0' && o.wine.buffer[end] == kUnwritten &&
                    o.ours.buffer.substr(0, end) == o.wine.buffer.substr(0, end);
         }},
        {"a default in quotes comes back as the caller gave it; Wine takes the quotes off",
         kValue | kBuffer,
         [](O o) {
             return o.call.op == Op::String && !o.call.c.null &&
                    o.ours.buffer.substr(0, o.ours.value) ==
                        platform::ini::TrimBlanks(o.call.c.bytes).substr(0, o.ours.value) &&
                    o.call.c.bytes.size() >= 2 &&
                    (o.call.c.bytes[0] == '"' || o.call.c.bytes[0] == '\'');
         }},
        {"a name with outer blanks is trimmed before it is looked for, in every function as in "
         "GetPrivateProfileStringA; Wine's section functions, key lists and removals look for it "
         "untrimmed",
         kValue | kBuffer | kError | kFile,
         [](O o) {
             const auto untrimmed = [](const Arg& a) {
                 return !a.null && platform::ini::TrimBlanks(a.bytes) != a.bytes;
             };
             switch (o.call.op) {
             case Op::Section:
             case Op::WriteSection:
                 return untrimmed(o.call.a);
             case Op::String:
                 return o.call.b.null && untrimmed(o.call.a);
             case Op::WriteString:
                 return (o.call.b.null && untrimmed(o.call.a)) ||
                        (o.call.c.null && (untrimmed(o.call.a) || untrimmed(o.call.b)));
             default:
                 return false;
             }
         }},
        {"the default's trailing blanks are dropped, as Windows drops them; Wine keeps them",
         kValue | kBuffer,
         [](O o) {
             return o.call.op == Op::String && !o.call.c.null && !o.call.c.bytes.empty() &&
                    o.call.c.bytes.back() == ' ' && o.ours.value < o.wine.value;
         }},
        {"a list that fits its buffer exactly comes back whole (only the names list counts that "
         "as cut short); Wine counts it as cut short",
         kValue | kBuffer,
         [](O o) {
             const bool list = o.call.op == Op::Section ||
                               (o.call.op == Op::String && (o.call.a.null || o.call.b.null));
             return list && o.call.size >= 2 && o.ours.value == o.call.size - 1 &&
                    o.wine.value == o.call.size - 2;
         }},
        {"a quoted value cut short is cut after its quotes come off; Wine cuts it first",
         kValue | kBuffer,
         [](O o) {
             return o.call.op == Op::String && !o.call.a.null && !o.call.b.null && o.before &&
                    platform::ini::FindValue(*o.before, o.call.a.bytes, o.call.b.bytes) &&
                    o.ours.value + 1 == o.call.size && o.wine.value < o.ours.value;
         }},
        {"a write changes only the lines it must, where Wine writes the whole file anew from what "
         "it read (CR LF, blanks and blank lines dropped, names as given): both read the same",
         kFile, [](O o) { return IsWrite(o.call) && SameMeaning(o.oursAfter, o.wineAfter); }},
        {"a write keeps the bytes of the lines it does not touch, also bytes that are no UTF-8 "
         "in a UTF-8 file; Wine writes each of them anew as U+FFFD",
         kFile,
         [](O o) {
             return IsWrite(o.call) && AsWineRewritesIt(o.before) != o.before &&
                    SameMeaning(AsWineRewritesIt(o.oursAfter), o.wineAfter);
         }},
        {"a key without a name (\"=value\") is listed as an empty name, in its place among the "
         "keys; Wine's list stops before it, and gives the default when it comes first",
         kValue | kBuffer | kError,
         [](O o) {
             if (o.call.op != Op::String || o.call.a.null || !o.call.b.null || !o.before)
                 return false;
             const auto keys = platform::ini::KeyNames(*o.before, o.call.a.bytes);
             return std::find(keys.begin(), keys.end(), "") != keys.end();
         }},
        {"the keys of a missing or empty section are an empty list; Wine gives the default "
         "instead",
         kValue | kBuffer | kError,
         [](O o) {
             return o.call.op == Op::String && !o.call.a.null && o.call.b.null && o.ours.value == 0;
         }},
        {"a section written whole keeps an entry without \"=\" as the caller's line; Wine leaves "
         "it out",
         kFile,
         [](O o) {
             if (o.call.op != Op::WriteSection || o.call.c.null)
                 return false;
             for (const char* p = o.call.c.bytes.c_str(); *p; p += std::strlen(p) + 1) {
                 if (!std::strchr(p, '='))
                     return true;
             }
             return false;
         }},
        {"a file of nothing but a UTF-8 byte-order mark is an empty file; Wine's reading of it "
         "fails with 87",
         kError | kBuffer,
         [](O o) {
             return !IsWrite(o.call) && o.before == platform::ini::kUtf8Mark && o.wine.error == 87;
         }},
        {"an empty list written to a missing section adds its empty header; Wine adds nothing",
         kFile,
         [](O o) {
             return o.call.op == Op::WriteSection && !o.call.c.null &&
                    o.call.c.bytes == std::string(1, '\0') &&
                    (!o.before || !platform::ini::SectionEntries(*o.before, o.call.a.bytes));
         }},
    };
}

std::string Show(const std::optional<std::string>& file) {
    return file ? Printable(*file) : std::string("(no file)");
}

std::string Show(const Result& r) {
    return std::to_string(r.value) + " error " + std::to_string(r.error) + " buffer " +
           Printable(r.buffer);
}

TEST(ProfileDifferential, OursAgreeWithWineKernel32) {
    if (!fs::exists(VORLANES_REPLAYER))
        GTEST_SKIP() << "no Windows replayer at " << VORLANES_REPLAYER
                     << " (the Windows build makes it: make windows)";
    std::uint64_t seed = std::random_device{}();
    if (const char* given = std::getenv("VORLANES_DIFF_SEED"))
        seed = std::strtoull(given, nullptr, 10);
    std::size_t sequences = 150;
    if (const char* given = std::getenv("VORLANES_DIFF_SEQUENCES"))
        sequences = std::strtoull(given, nullptr, 10);
    const bool verbose = std::getenv("VORLANES_DIFF_VERBOSE") != nullptr;
    std::cout << "seed " << seed << " (VORLANES_DIFF_SEED=" << seed << " repeats this run)\n";

    Replayer wine(VORLANES_WINE_RUN, VORLANES_REPLAYER, VORLANES_DIFF_PREFIX);
    ASSERT_TRUE(wine.Running());
    TempDir dir;
    const fs::path oursDir = dir.MakeDir("ours"), wineDir = dir.MakeDir("wine");
    auto expected = ExpectedDifferences();
    std::size_t calls = 0, unexplained = 0;
    platform::ProfileFunctions& ours = platform::SystemProfile();

    for (std::size_t s = 0; s < sequences && unexplained < 20; ++s) {
        Random r(seed * 1000003 + s);
        // Wine keeps recently used files cached: each sequence has a file of its own.
        const std::string name = "seq" + std::to_string(s) + ".ini";
        const auto initial = File(r);
        Put(oursDir / name, initial);
        Put(wineDir / name, initial);
        for (std::size_t i = 4 + r.Below(24); i > 0 && unexplained < 20; --i) {
            Call call = MakeCall(r);
            const auto before = Read(oursDir / name);
            call.file = SystemPath(oursDir / name);
            const Result mine = differential::Run(ours, call);
            call.file = SystemPath(wineDir / name);
            std::string answer;
            Result theirs;
            ASSERT_TRUE(wine.Ask(Encode(call), answer) && Decode(answer, theirs))
                << "seed " << seed << ", sequence " << s << ": " << Describe(call)
                << "\n  file before: " << Show(before) << "\n  the replayer under Wine answered "
                << Printable(answer);
            ++calls;
            const auto oursAfter = Read(oursDir / name), wineAfter = Read(wineDir / name);
            const Outcome outcome{call, before, mine, theirs, oursAfter, wineAfter};
            unsigned left = Differing(outcome);
            if (left == 0)
                continue;
            for (Expected& e : expected) {
                if ((left & e.parts) != 0 && e.matches(outcome)) {
                    left &= ~e.parts;
                    ++e.seen;
                }
            }
            if (left != 0) {
                ++unexplained;
                std::ostringstream report;
                report << "seed " << seed << ", sequence " << s << ": " << Describe(call)
                       << "\n  file before: " << Show(before) << "\n  ours: " << Show(mine)
                       << "\n  Wine: " << Show(theirs);
                if (oursAfter != wineAfter)
                    report << "\n  our file after:  " << Show(oursAfter)
                           << "\n  Wine's file after: " << Show(wineAfter);
                if (verbose)
                    std::cout << report.str() << "\n";
                else
                    ADD_FAILURE() << report.str();
            }
            // Both go on from the same file: Wine's.
            Put(oursDir / name, wineAfter);
        }
    }
    std::cout << calls << " calls compared";
    for (const Expected& e : expected)
        std::cout << "\n  " << e.seen << " allowed: " << e.reason;
    std::cout << "\n" << unexplained << " unexplained\n";
    if (verbose) {
        EXPECT_EQ(unexplained, 0u);
    }
}

} // namespace
} // namespace differential
