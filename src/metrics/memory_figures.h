#pragma once
// The four memory figures of the monitor, in KB, each read afresh from the
// platform's memory status. RAM is whole KB (bytes shifted right by 10); swap
// keeps the fraction of a KB. Figures are 64-bit, so machines with more than
// 4 GB show their true totals.

#include <QString>
#include <cstdint>

std::uint64_t Total_RAM_KB();
std::uint64_t Free_RAM_KB();
double Total_Swap_KB();
double Free_Swap_KB();

// A KB figure as a label shows it: whole number, rounded half away from zero,
// grouped with the user's thousands separator, no unit.
QString KB_Text(long double kb);

// A figure as a gauge value: cut towards zero, held to the gauge's 32-bit range.
int Gauge_Value(long double value);
