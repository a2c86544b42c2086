#include "platform/linux/desktop_entry.h"

#include <sstream>
#include <string_view>

namespace platform::linux_detail {
namespace {

constexpr std::string_view Needs_Quotes = " \t\n\r\"'\\><~|&;$*?#()`";
constexpr std::string_view Escaped_In_Quotes = "\"`$\\";

std::string Quote_Argument(const std::string& argument)
{
    std::string quoted;
    const bool needs_quotes = argument.empty() || argument.find_first_of(Needs_Quotes) != std::string::npos;
    if (needs_quotes)
        quoted += '"';
    for (const char c : argument) {
        if (needs_quotes && Escaped_In_Quotes.find(c) != std::string_view::npos)
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    if (needs_quotes)
        quoted += '"';
    return quoted;
}

std::string Escape_String_Value(const std::string& text)
{
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case ' ': escaped += i == 0 ? "\\s" : " "; break;
        default: escaped += text[i];
        }
    }
    return escaped;
}

// Unknown escapes are kept whole: the Exec level below gives them meaning.
std::string Unescape_String_Value(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        switch (text[++i]) {
        case 's': plain += ' '; break;
        case 'n': plain += '\n'; break;
        case 't': plain += '\t'; break;
        case 'r': plain += '\r'; break;
        case '\\': plain += '\\'; break;
        default:
            plain += '\\';
            plain += text[i];
        }
    }
    return plain;
}

std::string Undouble_Percent(const std::string& argument)
{
    std::string plain;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        plain += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%')
            ++i;
    }
    return plain;
}

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string Desktop_Exec_Value(const std::string& path)
{
    return Escape_String_Value(Quote_Argument(path));
}

std::optional<std::string> Desktop_Exec_Program(const std::string& exec_value)
{
    const std::string command = Unescape_String_Value(exec_value);
    std::size_t i = command.find_first_not_of(" \t");
    if (i == std::string::npos)
        return std::nullopt;
    std::string argument;
    if (command[i] == '"') {
        for (++i;; ++i) {
            if (i >= command.size())
                return std::nullopt; // no closing quote
            const char c = command[i];
            if (c == '"')
                break;
            if (c == '\\' && i + 1 < command.size() && Escaped_In_Quotes.find(command[i + 1]) != std::string_view::npos)
                argument += command[++i];
            else
                argument += c;
        }
        ++i;
        if (i < command.size() && command[i] != ' ' && command[i] != '\t')
            return std::nullopt; // text glued to a quoted argument
    } else {
        // Unquoted: a backslash takes the next character as it is, as the
        // desktops' own parsers do.
        for (; i < command.size() && command[i] != ' ' && command[i] != '\t'; ++i) {
            if (command[i] == '\\' && i + 1 < command.size())
                ++i;
            argument += command[i];
        }
    }
    return Undouble_Percent(argument);
}

std::string Autostart_Entry(const std::string& name, const std::string& path)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + Escape_String_Value(name) + "\n"
           "Exec=" + Desktop_Exec_Value(path) + "\n";
}

std::string Autostart_Entry_Program(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    bool in_entry = false;
    std::optional<std::string> exec;
    bool switched_off = false;
    while (std::getline(lines, line)) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[') {
            in_entry = trimmed == "[Desktop Entry]";
            continue;
        }
        const auto equals = trimmed.find('=');
        if (!in_entry || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(trimmed.substr(0, equals));
        const std::string_view value = Trim(trimmed.substr(equals + 1));
        if (key == "Exec" && !exec)
            exec = std::string(value);
        else if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            switched_off = true;
    }
    if (switched_off || !exec)
        return {};
    return Desktop_Exec_Program(*exec).value_or(std::string());
}

bool Is_Utf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace platform::linux_detail
