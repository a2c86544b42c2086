#pragma once
// The four memory figures of the monitor, in KB, from one reading of the
// platform's memory status: a tick reads it once and takes all its figures
// from that record, so they agree with each other. RAM is whole KB (bytes
// shifted right by 10); swap keeps the fraction of a KB. Figures are 64-bit,
// so machines with more than 4 GB show their true totals.

#include "platform/memory.h"

#include <QString>
#include <cstdint>

platform::MEMORYSTATUSEX Memory_Status();
std::uint64_t Total_RAM_KB(const platform::MEMORYSTATUSEX& status);
std::uint64_t Free_RAM_KB(const platform::MEMORYSTATUSEX& status);
double Total_Swap_KB(const platform::MEMORYSTATUSEX& status);
double Free_Swap_KB(const platform::MEMORYSTATUSEX& status);

// A KB figure as a label shows it: whole number, rounded half away from zero,
// grouped with the user's thousands separator, no unit.
QString KB_Text(long double kb);

// A figure as a gauge value: cut towards zero, held to the gauge's 32-bit range.
int Gauge_Value(long double value);
