#include "common/number_format.h"
#include "fakes/fake_disk.h"
#include "metrics/disk_figures.h"

#include <gtest/gtest.h>

namespace {

struct Comma_And_Point {
    Format_Settings saved = Program_Format();
    Comma_And_Point() { Program_Format() = {QLatin1Char('.'), QLatin1Char(',')}; }
    ~Comma_And_Point() { Program_Format() = saved; }
};

} // namespace

TEST(Format_Disk_Size, Bands_Switch_Strictly_Above_Each_Bound)
{
    Comma_And_Point format;
    const struct {
        std::int64_t kb;
        const char* text;
    } cases[] = {
        {-5, "0"},
        {0, "0"},
        {1, "1024 Bytes"},
        {2, "2.0 KB"},
        {1024, "1024.0 KB"},
        {1025, "1.0 MB"},
        {1536, "1.5 MB"},
        {1048576, "1024.0 MB"},
        {1048577, "1.00 GB"},
        {1073741824, "1024.00 GB"},
        {1073741825, "1.00 TB"},
        {2147483648, "2.00 TB"},
        {12341234, "11.77 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Disk_Size(c.kb).toStdString(), c.text) << c.kb;
}

TEST(Format_Disk_Size, Uses_The_Users_Decimal_Separator_Without_Grouping)
{
    const Format_Settings saved = Program_Format();
    Program_Format() = {QLatin1Char(','), QLatin1Char('.')};
    EXPECT_EQ(Format_Disk_Size(1536).toStdString(), "1,5 MB");
    EXPECT_EQ(Format_Disk_Size(1048576).toStdString(), "1024,0 MB");
    Program_Format() = saved;
}

TEST(Disk_Figures, Drive_Numbers_And_Root_Paths)
{
    EXPECT_EQ(Drive_Number(QStringLiteral("c")), 3);
    EXPECT_EQ(Drive_Number(QStringLiteral("C")), 3);
    EXPECT_EQ(Drive_Number(QStringLiteral("a: /")), 1);
    EXPECT_EQ(Drive_Number(QStringLiteral("z")), 26);
    EXPECT_EQ(Drive_Root_Path(3), "C:\\");
    EXPECT_EQ(Drive_Root_Path(26), "Z:\\");
    EXPECT_EQ(Drive_Root_Path(Drive_Number(QStringLiteral("1"))), "");
    EXPECT_EQ(Drive_Root_Path(0), "");
}

TEST(Disk_Figures, Used_Percentage_Rounds_Up_Where_Free_Has_A_Fraction)
{
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> use(disk);
    const std::uint64_t total = 1000000000;
    disk.drives['c'] = {0, total, total * 337 / 1000};
    EXPECT_EQ(Disk_Free_Percent(3), 33);
    disk.drives['c'] = {0, total, total * 145 / 1000};
    EXPECT_EQ(100 - Disk_Free_Percent(3), 86);
    disk.drives['c'] = {0, total, total * 45 / 1000};
    EXPECT_EQ(100 - Disk_Free_Percent(3), 96);
    disk.drives['c'] = {0, total, total};
    EXPECT_EQ(Disk_Free_Percent(3), 100);
    // Free space is the whole volume's, not the caller's share.
    disk.drives['c'] = {0, total, total / 2};
    EXPECT_EQ(Disk_Free_Percent(3), 50);
    EXPECT_EQ(disk.error_mode, 0u) << "the error mode is put back";
}

TEST(Disk_Figures, A_Drive_That_Cannot_Be_Read_Shows_Zero_And_Full)
{
    Comma_And_Point format;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> use(disk);
    disk.drives['d'] = {0, 0, 0}; // empty removable drive: reads but totals zero
    for (int drive : {4, 5, Drive_Number(QStringLiteral("#")), 0, 27}) {
        EXPECT_EQ(Disk_Space_Text(drive).toStdString(), "0") << drive;
        EXPECT_EQ(100 - Disk_Free_Percent(drive), 100) << drive;
    }
}

TEST(Disk_Figures, Space_Text_Shows_Free_Then_Total)
{
    Comma_And_Point format;
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> use(disk);
    disk.drives['c'] = {0, 80038649856ull, 12637134848ull};
    EXPECT_EQ(Disk_Space_Text(3).toStdString(), "11.77 GB / 74.54 GB");
    disk.drives['c'] = {0, 80038649856ull, 0};
    EXPECT_EQ(Disk_Space_Text(3).toStdString(), "0 / 74.54 GB");
    EXPECT_EQ(disk.error_mode, 0u);
}
