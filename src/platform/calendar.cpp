// Calendar arithmetic every platform shares: civil dates to the program's
// local date-time and to the system's file times.
#include "platform/clock_version.h"
#include "platform/perf_data.h"

namespace platform {
namespace {

constexpr std::int64_t Hundred_Ns_Per_Second = 10'000'000;
constexpr std::int64_t Days_From_1601_To_1970 = 134'774;
constexpr std::int64_t Days_From_1899_12_30_To_1970 = 25'569;

// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t Days_From_Civil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

unsigned Days_In_Month(unsigned year, unsigned month)
{
    static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

double Encode_Date_Time(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    const std::int64_t days =
        Days_From_Civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + Days_From_1899_12_30_To_1970;
    const double fraction = ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
    return static_cast<double>(days) + fraction;
}

bool Civil_To_File_Time(const SYSTEMTIME& time, std::int64_t* file_time)
{
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1
        || time.wDay > Days_In_Month(time.wYear, time.wMonth) || time.wHour > 23 || time.wMinute > 59
        || time.wSecond > 59 || time.wMilliseconds > 999)
        return false;
    const std::int64_t days = Days_From_Civil(time.wYear, time.wMonth, time.wDay) + Days_From_1601_To_1970;
    const std::int64_t seconds = ((days * 24 + time.wHour) * 60 + time.wMinute) * 60 + time.wSecond;
    *file_time = seconds * Hundred_Ns_Per_Second + std::int64_t{time.wMilliseconds} * 10'000;
    return true;
}

} // namespace platform
