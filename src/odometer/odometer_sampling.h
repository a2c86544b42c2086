#pragma once
// The arithmetic of one odometer tick, apart from the window: how far one
// step of the cursor went on the real screen, how it adds to the total, how
// presses are counted and how the figures are written.

#include <QString>
#include <cstdint>

// Physical length of a cursor step of (dx, dy) pixels, in the unit of the
// physical screen size (cm or inches). One scale serves both axes: the sum of
// the physical width and height over the sum of the pixel width and height.
// Multiplied before divided, in extended precision. No pixels, no distance.
long double Step_Distance(std::int64_t dx, std::int64_t dy, std::int64_t physical_sum, std::int64_t pixel_sum);

// The total after a step (cm or inches) is added: kilometres when metric,
// miles otherwise. A total that is negative, not a number or infinite (only a
// damaged stored value can be) starts again from 0.
double Add_Step(double total, long double step, bool metric);

// Counts a press at the first tick that sees the button down; a held button
// counts once. Gives true when it counted.
bool Count_Press(bool down, bool& latch, std::int64_t& count);

// Counts at or past 9223372036854775806 start again at 0.
constexpr std::int64_t Press_Count_Limit = 9223372036854775806;
std::int64_t Wrap_Press_Count(std::int64_t count);

// Digits grouped in threes with a literal "," whatever the user's separators,
// minus sign in front: -1234 gives "-1,234".
QString Format_Press_Count(std::int64_t count);

// The distance label's text: fixed point, the user's separators, twelve
// significant digits, eight decimals.
QString Format_Distance(double distance);
