#pragma once
// Small text routines the layout reference, the settings exchange and others
// share. Their rules are exact, including the odd ones, because the recorded
// layout lines and the odometer's stored figures depend on them.

#include <QString>
#include <cstdint>

// Replaces every occurrence of `searched`, again and again from the start,
// until none is left (so "abb" with "ab" -> "a" gives "a"). When the
// replacement itself contains the searched text, the work goes through a
// placeholder so that it ends (and where even the placeholder would bring the
// searched text back, by one plain pass). An empty source or searched text
// changes nothing.
QString Replace_All(const QString& source, const QString& searched, const QString& replacement);

// Field n (1-based) of a line split at `separator`, read by Number_From_Text.
// Past the last separator the rest of the line is the field; an empty
// separator leaves the whole line.
std::int32_t Number_Field(const QString& line, const QString& separator, int field_number);

// Keeps only "+", "-" and digits, drops every sign that is not the first
// remaining character, and reads the rest as a signed 32-bit decimal (empty: 0).
// A lone sign or a number out of range raises Program_Error.
std::int32_t Number_From_Text(const QString& text);
