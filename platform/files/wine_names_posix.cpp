// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/files/wine_names_posix.h"

#include "platform/files/windows_names.h"
#include "platform/posix/utf8_posix.h"

#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <string>
#include <vector>

namespace platform {
namespace {

std::string LocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const char* value = std::getenv(variable); value && *value) {
            return value;
        }
    }
    return {};
}

// The names glibc's iconv knows a Windows code page by.
std::vector<const char*> IconvNames(unsigned codePage) {
    switch (codePage) {
    case 932:
        return {"CP932", "IBM-943"};
    case 936:
        return {"CP936", "GBK"};
    case 949:
        return {"CP949", "UHC"};
    case 950:
        return {"CP950", "BIG5"};
    default:
        return {};
    }
}

} // namespace

unsigned WineCodePage() {
    const std::string locale = LocaleName();
    const std::string language = locale.substr(0, locale.find_first_of("_.@"));
    const std::size_t underscore = locale.find('_');
    const std::string territory =
        underscore == std::string::npos ? "" : locale.substr(underscore + 1, 2);
    struct Family {
        unsigned codePage;
        std::vector<const char*> languages;
    };
    static const Family families[] = {
        {932, {"ja"}},
        {949, {"ko"}},
        {874, {"th"}},
        {1258, {"vi"}},
        {1250, {"cs", "hr", "hu", "pl", "ro", "sk", "sl", "sq", "bs"}},
        {1251, {"be", "bg", "kk", "ky", "mk", "mn", "ru", "sr", "tt", "uk"}},
        {1253, {"el"}},
        {1254, {"az", "tr"}},
        {1255, {"he", "yi"}},
        {1256, {"ar", "fa", "ur"}},
        {1257, {"et", "lt", "lv"}},
    };
    if (language == "zh") {
        return territory == "TW" || territory == "HK" || territory == "MO" ? 950 : 936;
    }
    for (const Family& family : families) {
        for (const char* member : family.languages) {
            if (language == member) {
                return family.codePage;
            }
        }
    }
    return 1252;
}

namespace {

// Why Wine's code page lacks characters of a UTF-8 name; empty when it has them
// all, or when iconv does not know the code page.
std::string WhyTheCodePageLacks(std::string_view name) {
    const unsigned codePage = WineCodePage();
    std::vector<const char*> names = IconvNames(codePage);
    const std::string number = std::to_string(codePage);
    const std::string plain = "CP" + number;
    names.insert(names.begin(), plain.c_str());
    for (const char* iconvName : names) {
        iconv_t convert = iconv_open(iconvName, "UTF-8");
        if (convert == reinterpret_cast<iconv_t>(-1)) {
            continue;
        }
        std::string in(name);
        std::string out(in.size() * 4 + 4, '\0');
        char* from = in.data();
        char* to = out.data();
        std::size_t fromLeft = in.size();
        std::size_t toLeft = out.size();
        const bool spelled =
            iconv(convert, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1);
        iconv_close(convert);
        if (spelled) {
            return {};
        }
        const std::string locale = LocaleName().empty() ? std::string("C") : LocaleName();
        return "has characters that Wine's code page " + number +
               " lacks (it follows the locale, " + locale +
               "), so the emulator would be handed \"?\" for them";
    }
    return {};
}

} // namespace

std::string WhyWineCannotHandName(std::string_view name) {
    if (std::string why = WhyNotAWindowsName(name); !why.empty()) {
        return why;
    }
    return IsUtf8(name) ? WhyTheCodePageLacks(name) : "holds bytes that are not UTF-8";
}

std::string WhyWineCannotHandWrittenName(std::string_view name) {
    if (std::string why = WhyNotAWindowsName(name); !why.empty()) {
        return why;
    }
    return IsUtf8(name) ? WhyTheCodePageLacks(name) : std::string();
}

} // namespace platform
