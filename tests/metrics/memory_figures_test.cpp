#include "common/number_format.h"
#include "fakes/fake_memory.h"
#include "metrics/memory_figures.h"

#include <gtest/gtest.h>

TEST(Memory_Figures, Ram_Is_Whole_Kilobytes_And_Swap_Keeps_Its_Fraction)
{
    Fake_Memory memory;
    platform::Scoped_Service<platform::Memory_Service> use(memory);
    memory.status.ullTotalPhys = 24ull * 1024 * 1024 * 1024 + 1023; // more than 4 GB
    memory.status.ullAvailPhys = 1048576ull * 1024;
    memory.status.ullTotalPageFile = 4294967295ull;
    memory.status.ullAvailPageFile = 1536;
    const platform::MEMORYSTATUSEX status = Memory_Status();
    EXPECT_EQ(memory.calls, 1);
    EXPECT_EQ(Total_RAM_KB(status), 25165824u);
    EXPECT_EQ(Free_RAM_KB(status), 1048576u);
    EXPECT_DOUBLE_EQ(Total_Swap_KB(status), 4294967295.0 / 1024);
    EXPECT_DOUBLE_EQ(Free_Swap_KB(status), 1.5);
    // The gauge cuts the fraction, the label rounds it.
    EXPECT_EQ(Gauge_Value(Total_Swap_KB(status)), 4194303);
    const Format_Settings saved = Program_Format();
    Program_Format() = {QLatin1Char('.'), QLatin1Char(',')};
    EXPECT_EQ(KB_Text(Total_Swap_KB(status)).toStdString(), "4,194,304");
    EXPECT_EQ(KB_Text(Free_RAM_KB(status)).toStdString(), "1,048,576");
    EXPECT_EQ(KB_Text(2.5).toStdString(), "3");
    Program_Format() = {QLatin1Char(','), QChar(0x00A0)};
    EXPECT_EQ(KB_Text(1048576), QStringLiteral("1\u00A0048\u00A0576"));
    Program_Format() = saved;
}

TEST(Memory_Figures, Gauge_Values_Saturate_Instead_Of_Wrapping)
{
    EXPECT_EQ(Gauge_Value(1e12L), 2147483647);
    EXPECT_EQ(Gauge_Value(-1e12L), -2147483647 - 1);
    EXPECT_EQ(Gauge_Value(99.99L), 99);
    EXPECT_EQ(Gauge_Value(-0.5L), 0);
}
