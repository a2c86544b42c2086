#include "platform/profile.h"

#include "app/error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool Same_Name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
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
    const QString full = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    throw Program_Error("Unable to write to " + full.toStdString());
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
    const QString name = QString::fromStdString(path_);
    const QFileInfo info(name);
    if (!info.exists())
        return;
    // A folder, a pipe or a device in the file's place is never read (a pipe
    // would block) and never replaced.
    if (!info.isFile() || info.size() > static_cast<qint64>(Max_File_Bytes)) {
        unreadable_ = true;
        return;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        unreadable_ = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() > static_cast<qsizetype>(Max_File_Bytes) || file.error() != QFileDevice::NoError) {
        unreadable_ = true;
        return;
    }
    Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void Ini_File::Parse(std::string_view text)
{
    if (text.substr(0, Utf8_Bom.size()) == Utf8_Bom) {
        bom_ = Utf8_Bom;
        text.remove_prefix(Utf8_Bom.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            lines_.push_back({std::string(text), std::string()});
            break;
        }
        std::string_view line = text.substr(0, end);
        std::string ending = "\n";
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            ending = "\r\n";
        }
        lines_.push_back({std::string(line), ending});
        text.remove_prefix(end + 1);
    }
}

Ini_File::Found Ini_File::Find(std::string_view section, std::string_view key) const
{
    Found found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i].text;
        if (const auto name = Section_Name(line)) {
            if (found.section >= 0)
                break; // the first section of the name has ended
            if (Same_Name(*name, section))
                found.section = found.last_content = static_cast<std::ptrdiff_t>(i);
            continue;
        }
        if (found.section < 0)
            continue;
        if (!Is_Blank(line))
            found.last_content = static_cast<std::ptrdiff_t>(i);
        if (found.key < 0)
            if (const auto name = Key_Name(line); name && Same_Name(*name, key))
                found.key = static_cast<std::ptrdiff_t>(i);
    }
    return found;
}

std::string Ini_File::Read_String(std::string_view section, std::string_view key,
                                  std::string_view default_value) const
{
    const Found found = Find(section, key);
    if (found.key < 0)
        return std::string(default_value);
    return std::string(Line_Value(lines_[static_cast<std::size_t>(found.key)].text));
}

std::int32_t Ini_File::Read_Integer(std::string_view section, std::string_view key, std::int32_t default_value,
                                    Hex_Prefixes prefixes) const
{
    const Found found = Find(section, key);
    if (found.key < 0)
        return default_value;
    return Parse_Profile_Integer(Line_Value(lines_[static_cast<std::size_t>(found.key)].text), prefixes)
        .value_or(default_value);
}

bool Ini_File::Read_Bool(std::string_view section, std::string_view key, bool default_value) const
{
    return Read_Integer(section, key, default_value ? 1 : 0) != 0;
}

std::string Ini_File::New_Line_Ending() const
{
    if (!lines_.empty() && !lines_.front().ending.empty())
        return lines_.front().ending;
    return "\n";
}

void Ini_File::Write_String(std::string_view section, std::string_view key, std::string_view value)
{
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    const Found found = Find(section, key);
    if (found.key >= 0) {
        std::string& line = lines_[static_cast<std::size_t>(found.key)].text;
        std::size_t start = line.find('=') + 1;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        const std::string replaced = line.substr(0, start) + std::string(value);
        if (replaced != line) {
            line = replaced;
            changed_ = true;
        }
        return;
    }

    const std::string ending = New_Line_Ending();
    const std::string key_line = std::string(key) + "=" + std::string(value);
    if (found.section >= 0) {
        Line& before = lines_[static_cast<std::size_t>(found.last_content)];
        if (before.ending.empty())
            before.ending = ending;
        lines_.insert(lines_.begin() + found.last_content + 1, Line{key_line, ending});
    } else {
        if (!lines_.empty()) {
            if (lines_.back().ending.empty())
                lines_.back().ending = ending;
            if (!Is_Blank(lines_.back().text))
                lines_.push_back({std::string(), ending});
        }
        lines_.push_back({"[" + std::string(section) + "]", ending});
        lines_.push_back({key_line, ending});
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
    std::string text = bom_;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

void Ini_File::Commit()
{
    if (unreadable_)
        Unable_To_Write(path_);
    if (!changed_)
        return;
    // QSaveFile writes beside the file, flushes to the disk and renames over
    // it; a symbolic link is followed to its target, which is replaced.
    // Unbuffered, so that a short write (a full disk) shows at the write
    // itself rather than vanishing in the flush at commit.
    QSaveFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Unable_To_Write(path_);
    const std::string text = Text();
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        Unable_To_Write(path_);
    }
    if (!file.commit())
        Unable_To_Write(path_);
    changed_ = false;
}

} // namespace platform
