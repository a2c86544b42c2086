#include "common/text_helpers.h"

#include "platform/error.h"

#include <limits>

namespace {

QString Replace_Repeatedly(QString text, const QString& searched, const QString& replacement)
{
    if (text.isEmpty() || searched.isEmpty())
        return text;
    // Repeating would never end if each replacement brought the searched
    // text back (only a placeholder holding it can, below): one pass then.
    if (replacement.contains(searched))
        return text.replace(searched, replacement);
    // Each search starts again from the beginning, so occurrences that a
    // replacement brings together are replaced too.
    for (qsizetype at = text.indexOf(searched); at >= 0; at = text.indexOf(searched))
        text.replace(at, searched.size(), replacement);
    return text;
}

} // namespace

QString Replace_All(const QString& source, const QString& searched, const QString& replacement)
{
    if (!searched.isEmpty() && replacement.contains(searched)) {
        static const QString placeholder = QString::fromUtf16(u"\u0001\u0002\u0003\u0004\u0005\u0001");
        return Replace_Repeatedly(Replace_Repeatedly(source, searched, placeholder), placeholder, replacement);
    }
    return Replace_Repeatedly(source, searched, replacement);
}

std::int32_t Number_Field(const QString& line, const QString& separator, int field_number)
{
    // An empty separator occurs nowhere: the whole line is the field.
    if (separator.isEmpty())
        return Number_From_Text(line);
    QString rest = line;
    for (int i = 1; i < field_number; ++i) {
        const qsizetype at = rest.indexOf(separator);
        if (at >= 0)
            rest.remove(0, at + separator.size());
    }
    const qsizetype at = rest.indexOf(separator);
    if (at >= 0)
        rest.truncate(at);
    return Number_From_Text(rest);
}

std::int32_t Number_From_Text(const QString& text)
{
    static const QString kept = QStringLiteral("+-0123456789");
    QString others;
    for (QChar c : text)
        if (!kept.contains(c) && !others.contains(c))
            others += c;
    QString digits = text;
    for (QChar c : others)
        digits = Replace_All(digits, QString(c), QString());

    QString cleaned;
    for (qsizetype i = 0; i < digits.size(); ++i)
        if (i == 0 || (digits[i] != QLatin1Char('+') && digits[i] != QLatin1Char('-')))
            cleaned += digits[i];
    if (cleaned.isEmpty())
        return 0;

    bool ok = false;
    const qlonglong value = cleaned.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw Program_Error("'" + cleaned.toStdString() + "' is not a valid integer value");
    return static_cast<std::int32_t>(value);
}
