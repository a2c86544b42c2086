#pragma once
// The program-wide number format and fixed-point number text.
//
// The user's decimal and thousands separators come from the system locale and
// live in one program-wide object. Every settings-file read or write switches
// it to "." and "," for its duration (Settings_File_Format) and always puts the
// user's separators back, also when the operation ends in an error.

#include "common/number_rules.h"

#include <QChar>
#include <QString>
#include <cstdint>

struct Format_Settings {
    QChar Decimal_Separator = QLatin1Char('.');
    QChar Thousand_Separator = QLatin1Char(',');
    bool operator==(const Format_Settings&) const = default;
};

// The live program-wide format.
Format_Settings& Program_Format();

// Takes the user's separators from the system locale into Program_Format().
void Load_User_Format();

class Settings_File_Format {
public:
    Settings_File_Format();
    ~Settings_File_Format();
    Settings_File_Format(const Settings_File_Format&) = delete;
    Settings_File_Format& operator=(const Settings_File_Format&) = delete;

private:
    Format_Settings saved_;
};

// Fixed-point text with exactly `decimals` decimals, rounded half away from
// zero after the value has been taken to at most `significant` significant
// digits (decimals past them are written as 0). Thousands grouped when asked.
// A value with more integer digits than `significant` is written in exponent
// form. Separators from `format` (the program-wide one by default).
QString Format_Fixed(long double value, int decimals, bool thousands, int significant = 18);
QString Format_Fixed(long double value, int decimals, bool thousands, int significant,
                     const Format_Settings& format);
