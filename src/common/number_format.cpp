#include "common/number_format.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <string>

Format_Settings& Program_Format()
{
    static Format_Settings format;
    return format;
}

void Load_User_Format()
{
    const QLocale locale = QLocale::system();
    Format_Settings& format = Program_Format();
    format.Decimal_Separator = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().front();
    format.Thousand_Separator =
        locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator().front();
}

Settings_File_Format::Settings_File_Format() : saved_(Program_Format())
{
    Program_Format() = Format_Settings{QLatin1Char('.'), QLatin1Char(',')};
}

Settings_File_Format::~Settings_File_Format()
{
    Program_Format() = saved_;
}

namespace {

QString Group(const std::string& digits, QChar separator)
{
    QString out;
    const int length = static_cast<int>(digits.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            out += separator;
        out += QLatin1Char(digits[static_cast<std::size_t>(i)]);
    }
    return out;
}

// Exponent form for values too large for the significant digits asked:
// mantissa without trailing zeros, "E", exponent without a plus sign.
QString Exponent_Form(bool negative, const std::string& digits, int exponent, const Format_Settings& format)
{
    std::string mantissa = digits;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    QString out = negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(mantissa[0]);
    if (mantissa.size() > 1) {
        out += format.Decimal_Separator;
        out += QString::fromLatin1(mantissa.c_str() + 1);
    }
    out += QLatin1Char('E') + QString::number(exponent);
    return out;
}

} // namespace

QString Format_Fixed(long double value, int decimals, bool thousands, int significant)
{
    return Format_Fixed(value, decimals, thousands, significant, Program_Format());
}

QString Format_Fixed(long double value, int decimals, bool thousands, int significant,
                     const Format_Settings& format)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const bool negative = std::signbit(value) && value != 0;
    const long double magnitude = std::fabs(value);

    // The value as 18 significant decimal digits d1 d2 ... and an exponent e,
    // value = d1.d2d3... x 10^e, as the extended type holds it.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    if (magnitude == 0) {
        digits = "0";
        exponent = 0;
    }

    // Keep no more digits than the significant limit and the decimals allow,
    // rounding the rest half away from zero.
    int keep = std::min(significant, exponent + 1 + decimals);
    if (keep < 0) {
        digits = "0";
        exponent = 0;
        keep = 1;
    } else if (keep < static_cast<int>(digits.size())) {
        const bool round_up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (round_up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                char& digit = digits[static_cast<std::size_t>(i)];
                if (digit == '9') {
                    digit = '0';
                } else {
                    ++digit;
                    break;
                }
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
        if (digits.empty()) {
            // Every digit fell below the last decimal and did not round up.
            digits = "0";
            exponent = 0;
        }
    }
    if (exponent + 1 > significant)
        return Exponent_Form(negative, digits, exponent, format);

    std::string integer_part, fraction_part;
    for (int position = exponent; position >= 0; --position) {
        const int index = exponent - position;
        integer_part += index < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(index)] : '0';
    }
    if (integer_part.empty())
        integer_part = "0";
    for (int place = 1; place <= decimals; ++place) {
        const int index = exponent + place;
        fraction_part += index >= 0 && index < static_cast<int>(digits.size())
                             ? digits[static_cast<std::size_t>(index)] : '0';
    }

    const bool all_zero = digits.find_first_not_of('0') == std::string::npos;
    QString out = negative && !all_zero ? QStringLiteral("-") : QString();
    out += thousands ? Group(integer_part, format.Thousand_Separator) : QString::fromLatin1(integer_part.c_str());
    if (decimals > 0) {
        out += format.Decimal_Separator;
        out += QString::fromLatin1(fraction_part.c_str());
    }
    return out;
}
