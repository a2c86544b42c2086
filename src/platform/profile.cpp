#include "platform/profile.h"

#include "platform/error.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform {
namespace {

constexpr std::string_view Blanks = " \t\r";
constexpr std::string_view Utf8_Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

bool Is_Blank(std::string_view text)
{
    return Trim(text).empty();
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names match without regard to the case of a to z, and only of those.
std::string Lower(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The section a line opens, if it opens one.
std::optional<std::string_view> Section_Name(std::string_view line)
{
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

// The key a line holds, if it holds one.
std::optional<std::string_view> Key_Name(std::string_view line)
{
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '[')
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return key;
}

std::string_view Line_Value(std::string_view line)
{
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    value = value.substr(0, value.find('\0'));
    return value.substr(0, Ini_File::Max_Value_Chars);
}

std::optional<std::uint64_t> Parse_Hex(std::string_view digits, std::uint64_t maximum)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (Upper(c) >= 'A' && Upper(c) <= 'F')
            digit = static_cast<unsigned>(Upper(c) - 'A' + 10);
        else
            return std::nullopt;
        if (value > (maximum - digit) / 16)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

// Decimal with an optional sign, within minimum..maximum.
std::optional<std::int64_t> Parse_Decimal(std::string_view text, std::int64_t minimum, std::int64_t maximum)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Work in the negative range, which holds one value more.
    const std::int64_t limit = negative ? minimum : -maximum;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value < (limit + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative && value == std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return negative ? value : -value;
}

bool Has_Zero_X(std::string_view text)
{
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

[[noreturn]] void Unable_To_Write(const std::string& path)
{
    throw Program_Error("Unable to write to " + Full_Path(path));
}

} // namespace

std::optional<std::int32_t> Parse_Profile_Integer(std::string_view text, Ini_File::Hex_Prefixes prefixes)
{
    std::optional<std::uint64_t> pattern;
    if (Has_Zero_X(text))
        pattern = Parse_Hex(text.substr(2), 0xFFFFFFFFu);
    else if (prefixes == Ini_File::Hex_Prefixes::Zero_X_Or_Dollar && text.size() > 1 && text.front() == '$')
        pattern = Parse_Hex(text.substr(1), 0xFFFFFFFFu);
    else if (const auto value = Parse_Decimal(text, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()))
        return static_cast<std::int32_t>(*value);
    if (!pattern)
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*pattern));
}

std::optional<std::int64_t> Parse_Profile_Integer64(std::string_view text)
{
    std::optional<std::uint64_t> pattern;
    if (Has_Zero_X(text))
        pattern = Parse_Hex(text.substr(2), std::numeric_limits<std::uint64_t>::max());
    else if (text.size() > 1 && text.front() == '$')
        pattern = Parse_Hex(text.substr(1), std::numeric_limits<std::uint64_t>::max());
    else
        return Parse_Decimal(text, std::numeric_limits<std::int64_t>::min(),
                             std::numeric_limits<std::int64_t>::max());
    if (!pattern)
        return std::nullopt;
    return static_cast<std::int64_t>(*pattern);
}

Ini_File::Ini_File(std::string path) : path_(std::move(path))
{
    switch (Read_Whole_File(path_, source_)) {
    case Read_Result::Missing:
        return;
    case Read_Result::Unreadable:
        // A folder, a pipe or a device in the file's place, or a file we may
        // not read: never replaced by what little we know of it.
        unreadable_ = true;
        return;
    case Read_Result::Read:
        break;
    }
    Parse();
}

// One pass over the lines, which only finds where the sections begin.
void Ini_File::Parse()
{
    const char* const text = source_.data();
    const std::size_t size = source_.size();
    std::size_t at = 0;
    if (source_.compare(0, Utf8_Bom.size(), Utf8_Bom) == 0) {
        bom_ = true;
        at = Utf8_Bom.size();
    }
    sections_.front().begin = at;
    bool first = true;
    while (at < size) {
        const void* newline = std::memchr(text + at, '\n', size - at);
        const std::size_t end = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - text) : size;
        if (first) {
            first_ending_ = !newline ? Ending::None : end > at && text[end - 1] == '\r' ? Ending::CRLF : Ending::LF;
            first = false;
        }
        if (const auto name = Section_Name(std::string_view(text + at, end - at))) {
            section_index_.try_emplace(Lower(*name), sections_.size());
            sections_.back().end = at;
            sections_.emplace_back().begin = at;
        }
        at = newline ? end + 1 : size;
    }
    sections_.back().end = size;
}

const Ini_File::Section& Ini_File::Split(const Section& section) const
{
    if (section.split)
        return section;
    const char* const text = source_.data();
    std::size_t at = section.begin;
    while (at < section.end) {
        const void* newline = std::memchr(text + at, '\n', section.end - at);
        Line line;
        line.begin = at;
        if (newline) {
            const auto end = static_cast<std::size_t>(static_cast<const char*>(newline) - text);
            const bool crlf = end > at && text[end - 1] == '\r';
            line.length = end - at - (crlf ? 1 : 0);
            line.ending = crlf ? Ending::CRLF : Ending::LF;
            at = end + 1;
        } else {
            line.length = section.end - at;
            at = section.end;
        }
        section.lines.push_back(line);
        const std::string_view view(text + line.begin, line.length);
        if (!Is_Blank(view))
            section.last_content = section.lines.size() - 1;
        if (section.lines.size() > 1)
            if (const auto name = Key_Name(view))
                section.keys.try_emplace(Lower(*name), section.lines.size() - 1);
    }
    section.split = true;
    return section;
}

std::string_view Ini_File::Text_Of(const Line& line) const
{
    const std::string& text = line.written ? written_ : source_;
    return std::string_view(text).substr(line.begin, line.length);
}

Ini_File::Line Ini_File::New_Line(std::string_view text, Ending ending)
{
    Line line;
    line.begin = written_.size();
    line.length = text.size();
    line.ending = ending;
    line.written = true;
    written_ += text;
    return line;
}

Ini_File::Found Ini_File::Find(std::string_view section, std::string_view key) const
{
    Found found;
    const auto header = section_index_.find(Lower(section));
    if (header == section_index_.end())
        return found;
    found.section = static_cast<std::ptrdiff_t>(header->second);
    const Section& lines = Split(sections_[header->second]);
    if (const auto line = lines.keys.find(Lower(key)); line != lines.keys.end())
        found.key = static_cast<std::ptrdiff_t>(line->second);
    return found;
}

std::optional<std::string_view> Ini_File::Value_Of(std::string_view section, std::string_view key) const
{
    const Found found = Find(section, key);
    if (found.key < 0)
        return std::nullopt;
    return Line_Value(Text_Of(sections_[static_cast<std::size_t>(found.section)].lines[static_cast<std::size_t>(found.key)]));
}

std::string Ini_File::Read_String(std::string_view section, std::string_view key,
                                  std::string_view default_value) const
{
    return std::string(Value_Of(section, key).value_or(default_value));
}

std::int32_t Ini_File::Read_Integer(std::string_view section, std::string_view key, std::int32_t default_value,
                                    Hex_Prefixes prefixes) const
{
    const auto value = Value_Of(section, key);
    if (!value)
        return default_value;
    return Parse_Profile_Integer(*value, prefixes).value_or(default_value);
}

bool Ini_File::Read_Bool(std::string_view section, std::string_view key, bool default_value) const
{
    return Read_Integer(section, key, default_value ? 1 : 0) != 0;
}

// New lines end as the file's first line does.
Ini_File::Ending Ini_File::New_Line_Ending() const
{
    if (first_ending_ != Ending::None)
        return first_ending_;
    return New_File_Line_End == "\r\n" ? Ending::CRLF : Ending::LF;
}

void Ini_File::Write_String(std::string_view section, std::string_view key, std::string_view value)
{
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    const Found found = Find(section, key);
    if (found.key >= 0) {
        Line& line = sections_[static_cast<std::size_t>(found.section)].lines[static_cast<std::size_t>(found.key)];
        const std::string_view text = Text_Of(line);
        std::size_t start = text.find('=') + 1;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
            ++start;
        // A value that reads back as the line already reads is no change:
        // compared as written, one with leading blanks would gain more of
        // them at every save.
        if (Trim(text.substr(start)) == Trim(value))
            return;
        // The line keeps its own spacing after the "="; the value's leading
        // blanks, which no read sees, would add to it at every save.
        std::string replaced(text.substr(0, start));
        replaced += value.substr(std::min(value.find_first_not_of(Blanks), value.size()));
        line = New_Line(replaced, line.ending);
        changed_ = true;
        return;
    }

    const Ending ending = New_Line_Ending();
    std::string key_line(key);
    key_line += '=';
    key_line += value;
    if (found.section >= 0) {
        // After the section's last non-blank line: only blank lines follow
        // it, so no indexed key moves.
        Section& target = sections_[static_cast<std::size_t>(found.section)];
        Line& before = target.lines[target.last_content];
        if (before.ending == Ending::None)
            before.ending = ending;
        target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(target.last_content) + 1,
                            New_Line(key_line, ending));
        ++target.last_content;
        target.keys.try_emplace(Lower(key), target.last_content);
    } else {
        const Section& last = Split(sections_.back());
        if (!last.lines.empty()) {
            if (last.lines.back().ending == Ending::None)
                last.lines.back().ending = ending;
            if (!Is_Blank(Text_Of(last.lines.back())))
                last.lines.push_back(New_Line({}, ending));
        }
        section_index_.try_emplace(Lower(section), sections_.size());
        Section& added = sections_.emplace_back();
        added.split = true;
        added.lines.push_back(New_Line("[" + std::string(section) + "]", ending));
        added.lines.push_back(New_Line(key_line, ending));
        added.last_content = 1;
        added.keys.try_emplace(Lower(key), 1);
    }
    changed_ = true;
}

void Ini_File::Write_Integer(std::string_view section, std::string_view key, std::int64_t value)
{
    Write_String(section, key, std::to_string(value));
}

void Ini_File::Write_Bool(std::string_view section, std::string_view key, bool value)
{
    Write_String(section, key, value ? "1" : "0");
}

std::string Ini_File::Text() const
{
    std::string text;
    text.reserve(source_.size() + written_.size() + Utf8_Bom.size());
    if (bom_)
        text += Utf8_Bom;
    for (const Section& section : sections_) {
        if (!section.split) {
            text.append(source_, section.begin, section.end - section.begin);
            continue;
        }
        for (const Line& line : section.lines) {
            text += Text_Of(line);
            text += line.ending == Ending::CRLF ? "\r\n" : line.ending == Ending::LF ? "\n" : "";
        }
    }
    return text;
}

void Ini_File::Commit()
{
    if (unreadable_)
        Unable_To_Write(path_);
    if (!changed_)
        return;
    if (!Replace_Whole_File(path_, Text()))
        Unable_To_Write(path_);
    changed_ = false;
}

} // namespace platform
