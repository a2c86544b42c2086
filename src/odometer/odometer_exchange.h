#pragma once
// The odometer's "trailcnt" section, shared by vistrel.ini and Trailcount's
// trailcnt.ini: the readers of its two text values.

#include <QString>
#include <cstdint>

// What Parse_Distance_Text gives for a text it rejects; the next odometer
// tick turns it into 0.
inline constexpr double Rejected_Distance = -9999999;

// The lenient reader of "Kilometers_Travelled_So_Far": blanks and commas are
// ignored, then an optional sign, digits, an optional "." fraction and an
// optional exponent ("1,234.5", " 12 ", "1.5e3", "1E-3"). Anything else, and
// a number too large for a double, gives Rejected_Distance.
double Parse_Distance_Text(const QString& text);

// A press count: a signed 64-bit whole number; anything else gives 0, so that
// a damaged count never stops the reading of the keys after it.
std::int64_t Parse_Press_Count(const QString& text);
