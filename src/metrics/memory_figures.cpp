#include "metrics/memory_figures.h"

#include "common/number_format.h"

#include <cmath>
#include <limits>

platform::MEMORYSTATUSEX Memory_Status()
{
    platform::MEMORYSTATUSEX status;
    platform::Use<platform::Memory_Service>().Global_Memory_Status_Ex(status);
    return status;
}

std::uint64_t Total_RAM_KB(const platform::MEMORYSTATUSEX& status)
{
    return status.ullTotalPhys >> 10;
}

std::uint64_t Free_RAM_KB(const platform::MEMORYSTATUSEX& status)
{
    return status.ullAvailPhys >> 10;
}

double Total_Swap_KB(const platform::MEMORYSTATUSEX& status)
{
    return static_cast<double>(status.ullTotalPageFile) * 1.0 / 1024;
}

double Free_Swap_KB(const platform::MEMORYSTATUSEX& status)
{
    return static_cast<double>(status.ullAvailPageFile) * 1.0 / 1024;
}

QString KB_Text(long double kb)
{
    return Format_Fixed(kb, 0, true);
}

int Gauge_Value(long double value)
{
    const long double cut = std::trunc(value);
    if (!(cut > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (cut > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(cut);
}
