// The settings-file layer against any file. The input is the file; after
// its last "\n#writes\n" line, each line "kind|section|key|value" is a write
// ("i" as the kind writes the value as a whole number, anything else as
// text). Checked: a file only read comes back byte for byte; every key
// reads back what was last written to it, before and after the file is
// committed and loaded again; keys not written keep their values; a whole
// number reads as the integer rule says; and writing the same values to the
// committed file changes nothing.
#include "fuzz/fuzz_support.h"

#include "platform/error.h"
#include "platform/profile.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::Ini_File;

struct Write {
    bool integer = false;
    std::string section;
    std::string key;
    std::string value;
};

constexpr std::string_view Writes_Mark = "\n#writes\n";
// Not a value any line can hold: marks a key that is missing.
const std::string Missing = "\n";

const char* const Program_Keys[][2] = {
    {"vistrel", "WindowState_wsMaximized"},
    {"vistrel", "window_top_posn"},
    {"vistrel", "window_Width"},
    {"vistrel", "DriveComboBox1.Drive"},
    {"vistrel", "Show_Trailcount_Option"},
    {"trailcnt", "Kilometers_Travelled_So_Far"},
    {"trailcnt", "Left_Mouse_Button_Press_Count"},
    {"trailcnt", "Screen_Width_SpinEdit"},
};

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A name as the file format can hold it: one line, no "=", "[" or "]",
// without surrounding blanks; empty when nothing is left.
std::string Name(std::string_view text)
{
    std::string name;
    for (const char c : text)
        if (c != '\r' && c != '\n' && c != '\0' && c != '=' && c != '[' && c != ']')
            name += c;
    return std::string(Trim(name));
}

// Names match without regard to the case of a to z.
std::string Folded(std::string_view section, std::string_view key)
{
    std::string folded = std::string(section) + '\n' + std::string(key);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::vector<Write> Parse_Writes(std::string_view text)
{
    std::vector<Write> writes;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        std::string_view fields[3];
        const bool integer = line.starts_with('i');
        for (std::string_view& field : fields) {
            const std::size_t bar = line.find('|');
            if (bar == std::string_view::npos)
                break;
            line.remove_prefix(bar + 1);
            field = line.substr(0, line.find('|'));
        }
        const std::size_t value_at = line.find('|');
        Write write{integer, Name(fields[0]), Name(fields[1]),
                    value_at == std::string_view::npos ? std::string() : std::string(line.substr(value_at + 1))};
        if (write.integer) {
            std::int64_t number = 0;
            const auto [end_of_number, error] =
                std::from_chars(write.value.data(), write.value.data() + write.value.size(), number);
            if (error != std::errc())
                continue;
            write.value = std::to_string(number);
        }
        if (!write.section.empty() && !write.key.empty())
            writes.push_back(std::move(write));
    }
    return writes;
}

void Apply(Ini_File& ini, const std::vector<Write>& writes)
{
    for (const Write& write : writes) {
        if (write.integer)
            ini.Write_Integer(write.section, write.key, std::stoll(write.value));
        else
            ini.Write_String(write.section, write.key, write.value);
    }
}

// What a written value reads back as: one line, without surrounding blanks,
// at most so many characters.
std::string Read_Back(std::string_view value)
{
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    return std::string(Trim(value).substr(0, Ini_File::Max_Value_Chars));
}

void Check_Integer_Rule(const Ini_File& ini, const std::string& section, const std::string& key)
{
    const std::string text = ini.Read_String(section, key, Missing);
    const std::int32_t fallback = -7;
    const std::int32_t expected =
        text == Missing ? fallback : platform::Parse_Profile_Integer(text, Ini_File::Hex_Prefixes::Zero_X).value_or(fallback);
    fuzz::Require(ini.Read_Integer(section, key, fallback) == expected, "Read_Integer follows the integer rule");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t mark = input.rfind(Writes_Mark);
    const std::string_view file = mark == std::string_view::npos ? input : input.substr(0, mark);
    const std::vector<Write> writes =
        mark == std::string_view::npos ? std::vector<Write>() : Parse_Writes(input.substr(mark + Writes_Mark.size()));
    const std::string path = (fuzz::Scratch_Folder() / "fuzzed.ini").string();
    fuzz::Write_File(path, file);

    std::vector<std::pair<std::string, std::string>> probes;
    for (const auto& [section, key] : Program_Keys)
        probes.emplace_back(section, key);
    for (const Write& write : writes)
        probes.emplace_back(write.section, write.key);

    Ini_File ini(path);
    std::map<std::string, std::string> expected; // by folded name
    for (const auto& [section, key] : probes) {
        expected.try_emplace(Folded(section, key), ini.Read_String(section, key, Missing));
        Check_Integer_Rule(ini, section, key);
    }
    fuzz::Require(ini.Text() == file, "the text of a file only read is the file");

    Apply(ini, writes);
    for (const Write& write : writes)
        expected[Folded(write.section, write.key)] = Read_Back(write.value);
    const auto check_reads = [&](const Ini_File& loaded) {
        for (const auto& [section, key] : probes) {
            fuzz::Require(loaded.Read_String(section, key, Missing) == expected.at(Folded(section, key)),
                          "a key reads what was last written to it, or what it held");
            Check_Integer_Rule(loaded, section, key);
        }
    };
    check_reads(ini);
    const std::string written = ini.Text();
    try {
        ini.Commit();
    } catch (const Program_Error& error) {
        fuzz::Require(false, error.what());
    }
    fuzz::Require(fuzz::Read_File(path) == written, "the committed file is the text");

    Ini_File reloaded(path);
    check_reads(reloaded);
    Apply(reloaded, writes);
    fuzz::Require(reloaded.Text() == written, "writing the same values again changes nothing");
    return 0;
}
