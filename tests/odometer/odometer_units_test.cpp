// The odometer's unit arithmetic, on every platform.
#include "odometer/odometer_units.h"

#include <gtest/gtest.h>

TEST(Odometer_Units, Sizes_Convert_In_Extended_Precision_Half_To_Even_And_Stay_In_Range)
{
    struct Case {
        std::int32_t size;
        bool to_metric;
        std::int32_t expected;
    };
    const Case cases[] = {
        {27, false, 11}, {20, false, 8},  // 10.63, 7.87
        {11, true, 28},  {8, true, 20},   // 27.94, 20.32: a round trip drifts
        {25, true, 64},                   // 63.5 to the even 64
        {75, true, 190},                  // 190.5 to the even 190
        {1, false, 1},                    // 0.39 rounds to 0, kept at 1
        {999999, true, 999999},           // past the top, kept at the top
        {999999, false, 393700},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Convert_Screen_Size(c.size, c.to_metric), c.expected) << c.size << (c.to_metric ? " in" : " cm");
}
