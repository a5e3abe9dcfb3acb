// Random files and random operations against the profile functions: nothing
// may crash or overrun a buffer, a written value must read back as the syntax
// says (trimmed, one pair of quotes off), and every other section must stay
// byte for byte as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "platform/ini_text.h"
#include "platform/profile_posix.h"

namespace {

namespace ini = platform::ini;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_profile: %s\n", what);
    std::abort();
}

void Check(bool ok, const char* what) {
    if (!ok)
        Fail(what);
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return size_ == 0; }
    std::uint8_t Byte() {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }
    // Up to max bytes; NULs dropped, since the functions take C strings.
    std::string Text(std::size_t max) {
        std::size_t length = Byte() % (max + 1);
        std::string text;
        while (length-- > 0 && size_ > 0) {
            const char c = static_cast<char>(Byte());
            if (c != '\0')
                text.push_back(c);
        }
        return text;
    }
    std::string Rest(std::size_t max) {
        const std::size_t n = size_ < max ? size_ : max;
        std::string text(reinterpret_cast<const char*>(data_), n);
        data_ += n;
        size_ -= n;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

char g_dir[] = "/tmp/vorlanes-fuzz-XXXXXX";

const std::string& FilePath() {
    static const std::string path = [] {
        // libFuzzer may end without running exit handlers: it works in a
        // directory of the script's choosing.
        if (const char* dir = std::getenv("VORLANES_FUZZ_DIR"))
            return std::string(dir) + "/fuzz.ini";
        if (::mkdtemp(g_dir) == nullptr)
            Fail("no temporary directory");
        return std::string(g_dir) + "/fuzz.ini";
    }();
    static const bool cleanup = std::atexit([] {
                                    ::unlink((std::string(g_dir) + "/fuzz.ini").c_str());
                                    ::rmdir(g_dir);
                                }) == 0;
    (void)cleanup;
    return path;
}

platform::PosixProfile& Profile() {
    static platform::PosixProfile profile([](const std::string& name) { return name; }, false);
    return profile;
}

std::string Load() {
    std::string text;
    if (FILE* f = std::fopen(FilePath().c_str(), "rb")) {
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

void Store(const std::string& text) {
    FILE* f = std::fopen(FilePath().c_str(), "wb");
    Check(f != nullptr, "cannot write the file");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// The file cut at its headers: the text before the first one, then one block
// per header.
struct Block {
    std::optional<std::string_view> name;
    std::string_view bytes;
};

std::vector<Block> Blocks(std::string_view text) {
    std::vector<Block> blocks(1);
    ini::LineReader reader(text);
    ini::Line line;
    std::size_t start = 0;
    while (reader.Next(line)) {
        if (line.kind != ini::LineKind::Header)
            continue;
        blocks.back().bytes = text.substr(start, line.begin - start);
        blocks.push_back(Block{line.name, {}});
        start = line.begin;
    }
    blocks.back().bytes = text.substr(start);
    return blocks;
}

// Only the first section named `section` may differ, or one new section at
// the end (its predecessor may gain a line break).
void CheckOthersUntouched(const std::string& before, const std::string& after,
                          std::string_view section) {
    section = ini::TrimBlanks(section);
    const auto old = Blocks(before);
    const auto now = Blocks(after);
    std::size_t target = old.size();
    for (std::size_t i = 1; i < old.size(); ++i) {
        if (ini::NamesEqual(*old[i].name, section)) {
            target = i;
            break;
        }
    }
    if (target < old.size()) {
        Check(now.size() == old.size(), "sections added or lost");
        for (std::size_t i = 0; i < old.size(); ++i)
            Check(i == target || old[i].bytes == now[i].bytes, "another section changed");
        return;
    }
    Check(now.size() == old.size() + 1, "new section not added once");
    for (std::size_t i = 0; i + 1 < old.size(); ++i)
        Check(old[i].bytes == now[i].bytes, "another section changed");
    const std::string_view last = old.back().bytes;
    const std::string_view grown = now[old.size() - 1].bytes;
    Check(grown.substr(0, last.size()) == last && grown.size() - last.size() <= 2,
          "the last section changed");
    Check(ini::NamesEqual(*now.back().name, section), "new section misnamed");
}

std::vector<char> Buffer(std::uint32_t size) {
    return std::vector<char>(size, 'X');
}

void CheckList(const std::vector<char>& buffer, std::uint32_t size, std::uint32_t count) {
    if (size == 0)
        return Check(count == 0, "count without a buffer");
    Check(count < size, "count beyond the buffer");
    Check(buffer[count] == '\0', "list not ended");
    // Two NULs: the last entry's and the list's, or both after a cut entry.
    const bool entryEnded = count > 0 && buffer[count - 1] == '\0';
    const bool cutAndEnded = count + 1 < size && buffer[count + 1] == '\0';
    Check(size == 1 || entryEnded || cutAndEnded, "list without its second NUL");
}

void WriteValue(Input& in) {
    const std::string section = in.Text(12);
    const std::string key = in.Text(12);
    const std::string value = in.Text(40);
    const std::string before = Load();
    const bool allowed =
        ini::IsWritableSection(section) && ini::IsWritableKey(key) && ini::IsWritableValue(value);
    const int ok = Profile().WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                        FilePath().c_str());
    const std::string after = Load();
    if (!allowed) {
        Check(ok == 0 && Profile().GetLastError() == 87, "harmful write not refused");
        Check(after == before, "refused write changed the file");
        return;
    }
    Check(ok != 0, "write failed");
    const auto read = ini::FindValue(after, section, key);
    Check(read && *read == ini::Unquote(ini::TrimBlanks(value)), "value does not read back");
    std::vector<char> buffer(4096);
    const std::uint32_t n = Profile().GetPrivateProfileStringA(
        section.c_str(), key.c_str(), "", buffer.data(), 4096, FilePath().c_str());
    Check(std::string_view(buffer.data(), n) == *read, "read disagrees with the text");
    CheckOthersUntouched(before, after, section);
}

void WriteSection(Input& in) {
    const std::string section = in.Text(12);
    std::vector<std::string> entries(in.Byte() % 4);
    std::string list;
    bool allowed = ini::IsWritableSection(section);
    for (auto& entry : entries) {
        entry = in.Text(20);
        if (entry.empty())
            entry = "e";
        allowed = allowed && ini::IsWritableEntry(entry);
        list.append(entry).push_back('\0');
    }
    const std::string before = Load();
    const int ok =
        Profile().WritePrivateProfileSectionA(section.c_str(), list.c_str(), FilePath().c_str());
    const std::string after = Load();
    if (!allowed) {
        Check(ok == 0 && Profile().GetLastError() == 87, "harmful section not refused");
        Check(after == before, "refused section changed the file");
        return;
    }
    Check(ok != 0, "section write failed");
    std::vector<std::string> expected;
    for (const auto& entry : entries) {
        ini::LineReader reader(entry);
        ini::Line line;
        if (reader.Next(line) && line.kind == ini::LineKind::Entry)
            expected.push_back(std::string(line.name) +
                               (line.hasEquals ? "=" + std::string(line.value) : ""));
    }
    const auto read = ini::SectionEntries(after, section);
    Check(read && *read == expected, "section does not read back");
    CheckOthersUntouched(before, after, section);
}

void Read(Input& in, int kind) {
    const std::uint32_t size = in.Byte() % 64;
    const std::string section = in.Text(12);
    const std::string key = in.Text(12);
    auto buffer = Buffer(size);
    char* data = size ? buffer.data() : nullptr;
    const char* file = FilePath().c_str();
    if (kind == 0) {
        const std::uint32_t n =
            Profile().GetPrivateProfileStringA(section.c_str(), key.c_str(), "", data, size, file);
        Check(size == 0 ? n == 0 : (n < size && buffer[n] == '\0'), "value overruns");
        const std::string text = Load();
        const auto value = ini::FindValue(text, section, key);
        if (size > 0 && value && value->size() < size)
            Check(std::string_view(data, n) == *value, "value read wrongly");
    } else if (kind == 1) {
        CheckList(buffer, size,
                  Profile().GetPrivateProfileSectionA(section.c_str(), data, size, file));
    } else {
        CheckList(buffer, size, Profile().GetPrivateProfileSectionNamesA(data, size, file));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::size_t length = (static_cast<std::size_t>(in.Byte()) << 8) | in.Byte();
    Store(in.Rest(length));
    while (!in.Empty()) {
        switch (in.Byte() % 6) {
        case 0:
        case 1:
            WriteValue(in);
            break;
        case 2:
            WriteSection(in);
            break;
        default:
            Read(in, in.Byte() % 3);
            break;
        }
    }
    return 0;
}
