// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// Any "Hu-go!.ini" through the setup dialog's load and save, and any text
// through a single key: nothing may crash or overflow, and what was saved must
// load back as the same choices and switches.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/hugo_ini.h"
#include "ini/ini_test_files.h"
#include "ini/tolv_cini.h"
#include "support/fuzz.h"

namespace {

void Check(bool ok, const char* what) {
    FuzzCheck(ok, "fuzz_hugo", what);
}

const std::string& File() {
    static const std::string path = (FuzzScratch() / "Hu-go!.ini").string();
    return path;
}

// The emulator knows only on and off: a saved switch loads back as one of them.
int Saved(int state) {
    return state == hugo::kClear ? hugo::kClear : hugo::kChecked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks a key and how much of the rest is its value on its own.
    const auto field = static_cast<hugo::Field>(data[0] % hugo::kReadOrder.size());
    const std::size_t length = std::min<std::size_t>(data[0] / 8, size - 1);
    hugo::Settings single;
    hugo::Apply(single, field, std::string(reinterpret_cast<const char*>(data + 1), length));

    ini_test::WriteFile(File(), std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    Tolv_CIni ini(ini_test::Profile());
    ini.FileName(File());
    hugo::Settings loaded;
    hugo::Load(ini, loaded);
    if (!hugo::Save(ini, loaded))
        return 0; // a value the file cannot take back (a line break, say) is refused
    hugo::Settings again;
    hugo::Load(ini, again);
    for (const hugo::Key& key : hugo::kReadOrder) {
        if (hugo::IsChoice(key.field))
            Check(hugo::Choice(again, key.field) == hugo::Choice(loaded, key.field),
                  "a saved choice loads back otherwise");
        else if (key.field != hugo::Field::RomDir)
            Check(hugo::Switch(again, key.field) == Saved(hugo::Switch(loaded, key.field)),
                  "a saved switch loads back otherwise");
    }
    return 0;
}
