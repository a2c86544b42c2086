// The number-from-text helpers. The input, as UTF-8, is split at its first
// two tab characters into a text, a separator and a replacement. Checked:
// Number_From_Text against a plain reading of its rule, Number_Field finding
// the same fields a plain split would, and Replace_All leaving no searched
// text behind. A replacement longer than the searched text is not tried:
// the repeated rule can grow such a text exponentially ("ab" by "bba" on
// "aaa...b"), and no caller replaces by more than nothing.
#include "fuzz/fuzz_support.h"

#include "common/text_helpers.h"
#include "platform/error.h"

#include <QString>
#include <QStringList>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// The rule read plainly: keep signs and digits, keep a sign only in front,
// read what is left as a 32-bit number; nothing left is 0; nullopt for an
// error.
std::optional<std::int32_t> Plain_Number(const QString& text)
{
    std::string kept;
    for (const QChar c : text) {
        const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if ((sign && kept.empty()) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            kept += static_cast<char>(c.unicode());
    }
    if (kept.empty())
        return 0;
    const char* first = kept.data() + (kept.front() == '+' ? 1 : 0);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(first, kept.data() + kept.size(), value);
    if (error != std::errc() || end != kept.data() + kept.size())
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> Number(const QString& text)
{
    try {
        return Number_From_Text(text);
    } catch (const Program_Error&) {
        return std::nullopt;
    }
}

std::optional<std::int32_t> Field(const QString& line, const QString& separator, int n)
{
    try {
        return Number_Field(line, separator, n);
    } catch (const Program_Error&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList parts = input.split(QLatin1Char('\t'));
    const QString text = parts.value(0);
    const QString separator = parts.value(1);
    const QString replacement = parts.mid(2).join(QLatin1Char('\t'));

    fuzz::Require(Number(text) == Plain_Number(text), "Number_From_Text reads signs and digits");

    // The text's fields, split as a plain reading finds them.
    if (!separator.isEmpty()) {
        const qsizetype at = text.indexOf(separator);
        const QString first = at < 0 ? text : text.left(at);
        const QString rest = at < 0 ? text : text.mid(at + separator.size());
        fuzz::Require(Field(text, separator, 1) == Number(first), "the first field ends at the separator");
        fuzz::Require(Field(text, separator, 2) == Field(rest, separator, 1), "the second field follows the first");
    } else {
        fuzz::Require(Field(text, separator, 3) == Number(text), "without a separator the line is the field");
    }

    if (replacement.size() < separator.size() || replacement.contains(separator)) {
        const QString replaced = Replace_All(text, separator, replacement);
        if (!separator.isEmpty() && !replacement.contains(separator))
            fuzz::Require(!replaced.contains(separator), "Replace_All leaves none of the searched text");
        if (separator.isEmpty() || !text.contains(separator))
            fuzz::Require(replaced == text, "Replace_All without the searched text changes nothing");
    }
    return 0;
}
