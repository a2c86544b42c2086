// The calendar arithmetic every platform shares.
#include "platform/clock_version.h"
#include "platform/perf_data.h"

#include <gtest/gtest.h>

TEST(Civil_To_File_Time, Counts_From_1601_And_Refuses_Impossible_Times)
{
    auto time = [](int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
        platform::SYSTEMTIME t;
        t.wYear = static_cast<std::uint16_t>(year);
        t.wMonth = static_cast<std::uint16_t>(month);
        t.wDay = static_cast<std::uint16_t>(day);
        t.wHour = static_cast<std::uint16_t>(hour);
        t.wMinute = static_cast<std::uint16_t>(minute);
        t.wSecond = static_cast<std::uint16_t>(second);
        t.wMilliseconds = static_cast<std::uint16_t>(ms);
        return t;
    };
    struct Case {
        platform::SYSTEMTIME time;
        bool valid;
        std::int64_t file_time;
    };
    const Case cases[] = {
        {time(1601, 1, 1), true, 0},
        {time(1970, 1, 1), true, 116'444'736'000'000'000},
        {time(2000, 2, 29, 23, 59, 59, 999), true, 125'963'423'999'990'000},
        {time(30827, 12, 31, 23, 59, 59, 999), true, 9'223'149'887'999'990'000},
        {time(1600, 12, 31), false, 0},
        {time(2001, 2, 29), false, 0},
        {time(1900, 2, 29), false, 0},
        {time(2024, 13, 1), false, 0},
        {time(2024, 4, 31), false, 0},
        {time(2024, 1, 0), false, 0},
        {time(2024, 1, 1, 24), false, 0},
        {time(2024, 1, 1, 0, 60), false, 0},
        {time(2024, 1, 1, 0, 0, 60), false, 0},
        {time(2024, 1, 1, 0, 0, 0, 1000), false, 0},
    };
    for (const Case& c : cases) {
        std::int64_t file_time = -1;
        EXPECT_EQ(platform::Civil_To_File_Time(c.time, &file_time), c.valid) << c.time.wYear << '-' << c.time.wMonth;
        if (c.valid)
            EXPECT_EQ(file_time, c.file_time) << c.time.wYear;
        else
            EXPECT_EQ(file_time, -1);
    }
}

TEST(Encode_Date_Time, Days_Since_30_December_1899_With_The_Time_As_Fraction)
{
    EXPECT_EQ(platform::Encode_Date_Time(1899, 12, 30, 0, 0, 0, 0), 0.0);
    EXPECT_EQ(platform::Encode_Date_Time(1900, 3, 1, 0, 0, 0, 0), 61.0);
    EXPECT_EQ(platform::Encode_Date_Time(2000, 2, 29, 18, 0, 0, 0), 36585.75);
    EXPECT_NEAR(platform::Encode_Date_Time(2024, 1, 1, 0, 0, 0, 1), 45292 + 1.0 / 86'400'000, 1e-12);
}
