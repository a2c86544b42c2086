#include "common/number_format.h"

#include <gtest/gtest.h>

namespace {
const Format_Settings point_comma{QLatin1Char('.'), QLatin1Char(',')};
const Format_Settings comma_point{QLatin1Char(','), QLatin1Char('.')};

std::string Fixed(long double value, int decimals, bool thousands, int significant = 18,
                  const Format_Settings& format = point_comma)
{
    return Format_Fixed(value, decimals, thousands, significant, format).toStdString();
}
} // namespace

TEST(Number_Format, Fixed_Point_Rounds_Half_Away_From_Zero)
{
    EXPECT_EQ(Fixed(2.5L, 0, false), "3");
    EXPECT_EQ(Fixed(3.5L, 0, false), "4");
    EXPECT_EQ(Fixed(-2.5L, 0, false), "-3");
    EXPECT_EQ(Fixed(0.125L, 2, false), "0.13");
    EXPECT_EQ(Fixed(0.4L, 0, false), "0");
    EXPECT_EQ(Fixed(0.6L, 0, false), "1");
    EXPECT_EQ(Fixed(0.004L, 2, false), "0.00");
    EXPECT_EQ(Fixed(9.996L, 2, false), "10.00");
    EXPECT_EQ(Fixed(999999.5L, 0, true), "1,000,000");
    EXPECT_EQ(Fixed(-0.001L, 2, false), "0.00");
    EXPECT_EQ(Fixed(0, 1, false), "0.0");
}

TEST(Number_Format, Grouping_And_Separators_Follow_The_Format_Given)
{
    const long double bytes = 5056786432.0L;
    EXPECT_EQ(Fixed(bytes, 0, true), "5,056,786,432");
    EXPECT_EQ(Fixed(bytes / 1024, 1, true), "4,938,268.0");
    EXPECT_EQ(Fixed(bytes / 1024 / 1024, 2, true), "4,822.53");
    EXPECT_EQ(Fixed(bytes / 1024 / 1024 / 1024, 3, true), "4.709");
    EXPECT_EQ(Fixed(bytes / 1024, 1, true, 18, comma_point), "4.938.268,0");
    EXPECT_EQ(Fixed(-1234, 0, true), "-1,234");
    EXPECT_EQ(Fixed(123, 0, true), "123");
}

TEST(Number_Format, Significant_Digits_Limit_Then_Zeros)
{
    // The odometer's label: twelve significant digits, eight decimals.
    EXPECT_EQ(Fixed(0, 8, true, 12), "0.00000000");
    EXPECT_EQ(Fixed(1234.5L, 8, true, 12), "1,234.50000000");
    EXPECT_EQ(Fixed(0.000262277L, 8, true, 12), "0.00026228");
    EXPECT_EQ(Fixed(12345.678901234567L, 8, true, 12), "12,345.67890120");
    // The odometer's file: twelve significant digits, ten decimals.
    EXPECT_EQ(Fixed(0, 10, true, 12), "0.0000000000");
    EXPECT_EQ(Fixed(1234.5L, 10, true, 12), "1,234.5000000000");
    EXPECT_EQ(Fixed(123456.789012345L, 10, true, 12), "123,456.7890120000");
    // More integer digits than the significant ones: exponent form.
    EXPECT_EQ(Fixed(1234567890123456.0L, 8, true, 12), "1.23456789012E15");
}

TEST(Number_Format, Settings_File_Format_Puts_The_Users_Separators_Back)
{
    Program_Format() = comma_point;
    try {
        Settings_File_Format file_format;
        EXPECT_EQ(Program_Format().Decimal_Separator, QLatin1Char('.'));
        EXPECT_EQ(Program_Format().Thousand_Separator, QLatin1Char(','));
        throw std::runtime_error("write failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Program_Format().Decimal_Separator, QLatin1Char(','));
    EXPECT_EQ(Program_Format().Thousand_Separator, QLatin1Char('.'));
    Load_User_Format();
}
