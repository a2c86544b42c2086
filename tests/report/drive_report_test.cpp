// The drive report's text, from a fake disk, byte for byte.
#include "common/number_format.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_volume.h"
#include "report/drive_report.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString Lines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

class Drive_Report : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_format_ = Program_Format();
        Program_Format() = Format_Settings{QLatin1Char('.'), QLatin1Char(',')};
        // 4096-byte clusters: 1,234,567 free of 2,500,000.
        Fake_Volume::Drive c;
        c.volume_name = "SYSTEM";
        c.serial = 0x0A1B2C3D;
        c.file_system = "NTFS";
        c.bytes_per_sector = 512;
        c.sectors_per_cluster = 8;
        c.free_clusters = 1234567;
        c.total_clusters = 2500000;
        volume_.drives['c'] = c;
    }
    void TearDown() override { Program_Format() = saved_format_; }

    Fake_Volume volume_;
    Fake_Disk disk_;
    platform::Scoped_Service<platform::Volume_Service> volume_guard_{volume_};
    platform::Scoped_Service<platform::Disk_Service> disk_guard_{disk_};
    Format_Settings saved_format_;
};

TEST_F(Drive_Report, Full_Report_Of_A_Fixed_Drive)
{
    EXPECT_EQ(Build_Drive_Report(3), Lines({
        "Drive                    = C",
        "",
        "Disk Volume Name         = SYSTEM",
        "",
        "Disk Volume Serial Num   = 0A1B2C3D",
        "",
        "File System              = NTFS",
        "",
        "Is Disk Writable ?         Yes",
        "",
        "Bytes per Sector         = 512",
        "",
        "Sectors per Cluster      = 8",
        "",
        "Number of Free Clusters  = 1,234,567",
        "",
        "Total Number of Clusters = 2,500,000",
        "",
        "Free Disk Space          = 5,056,786,432 Bytes",
        "                         = 4,938,268.0 KB",
        "                         = 4,822.53 MB",
        "                         = 4.709 GB",
        "",
        "Used Disk Space          = 5,183,213,568 Bytes",
        "                         = 5,061,732.0 KB",
        "                         = 4,943.10 MB",
        "                         = 4.827 GB",
        "",
        "Total Disk Space         = 10,240,000,000 Bytes",
        "                         = 10,000,000.0 KB",
        "                         = 9,765.63 MB",
        "                         = 9.537 GB",
        "",
        "",
        "",
        "The disk cannot be removed from the drive.  e.g. a hard-drive.",
    }));
    ASSERT_EQ(volume_.probes.size(), 1u);
    EXPECT_EQ(volume_.probes[0], "c:\\$$$TEMP_DRIVE_CHECK.tmp");
}

TEST_F(Drive_Report, Numbers_Follow_The_Users_Separators)
{
    Program_Format() = Format_Settings{QLatin1Char(','), QLatin1Char('.')};
    const QString report = Build_Drive_Report(3);
    const QStringList expected_lines = {
        "Number of Free Clusters  = 1.234.567",
        "Free Disk Space          = 5.056.786.432 Bytes\r\n"
        "                         = 4.938.268,0 KB\r\n"
        "                         = 4.822,53 MB\r\n"
        "                         = 4,709 GB",
        "Total Disk Space         = 10.240.000.000 Bytes\r\n"
        "                         = 10.000.000,0 KB\r\n"
        "                         = 9.765,63 MB\r\n"
        "                         = 9,537 GB",
    };
    for (const QString& lines : expected_lines)
        EXPECT_TRUE(report.contains(lines)) << lines.toStdString() << "\n--- in ---\n" << report.toStdString();

    // A separator outside ASCII (a narrow no-break space, as some locales group).
    Program_Format() = Format_Settings{QLatin1Char(','), QChar(0x202F)};
    EXPECT_TRUE(Build_Drive_Report(3).contains(QStringLiteral("= 5\u202F056\u202F786\u202F432 Bytes")));
}

TEST_F(Drive_Report, A_Drive_Without_Medium_Reads_Unknown_And_Has_No_Space_Lines)
{
    Fake_Volume::Drive a;
    a.volume_ok = false;
    a.space_ok = false;
    a.writable = false;
    a.drive_type = DRIVE_REMOVABLE;
    volume_.drives['a'] = a;
    EXPECT_EQ(Build_Drive_Report(1), Lines({
        "Drive                    = A",
        "",
        "Disk Volume Name         = Unknown",
        "",
        "Disk Volume Serial Num   = Unknown",
        "",
        "File System              = Unknown",
        "",
        "Is Disk Writable ?         No",
        "",
        "The drive can be removed from the drive.",
    }));
}

TEST_F(Drive_Report, Unlabelled_Read_Only_Full_Medium_With_A_Short_Serial)
{
    Fake_Volume::Drive d;
    d.volume_name = "";
    d.serial = 0x1F;
    d.file_system = "iso9660";
    d.writable = false;
    d.bytes_per_sector = 2048;
    d.sectors_per_cluster = 1;
    d.free_clusters = 720;
    d.total_clusters = 720;
    d.drive_type = DRIVE_CDROM;
    volume_.drives['d'] = d;
    EXPECT_EQ(Build_Drive_Report(4), Lines({
        "Drive                    = D",
        "",
        "Disk Volume Name         = ",
        "",
        "Disk Volume Serial Num   = 0000001F",
        "",
        "File System              = iso9660",
        "",
        "Is Disk Writable ?         No",
        "",
        "Bytes per Sector         = 2,048",
        "",
        "Sectors per Cluster      = 1",
        "",
        "Number of Free Clusters  = 720",
        "",
        "Total Number of Clusters = 720",
        "",
        "Free Disk Space          = 1,474,560 Bytes",
        "                         = 1,440.0 KB",
        "                         = 1.41 MB",
        "                         = 0.001 GB",
        "",
        "Used Disk Space          = 0 Bytes",
        "                         = 0.0 KB",
        "                         = 0.00 MB",
        "                         = 0.000 GB",
        "",
        "Total Disk Space         = 1,474,560 Bytes",
        "                         = 1,440.0 KB",
        "                         = 1.41 MB",
        "                         = 0.001 GB",
        "",
        "",
        "",
        "The drive is a CD-ROM drive.",
    }));
}

TEST_F(Drive_Report, Counts_Past_32_Bits_Stay_Exact)
{
    // A 16 TiB volume of 4 KiB clusters: 2^32 clusters, all free.
    Fake_Volume::Drive e;
    e.bytes_per_sector = 512;
    e.sectors_per_cluster = 8;
    e.free_clusters = 4294967296ull;
    e.total_clusters = 4294967296ull;
    volume_.drives['e'] = e;
    const QString report = Build_Drive_Report(5);
    EXPECT_TRUE(report.contains(QStringLiteral("Total Number of Clusters = 4,294,967,296\r\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("Total Disk Space         = 17,592,186,044,416 Bytes\r\n"
                                               "                         = 17,179,869,184.0 KB\r\n"
                                               "                         = 16,777,216.00 MB\r\n"
                                               "                         = 16,384.000 GB")));
}

TEST_F(Drive_Report, Drive_Type_Sentences)
{
    const std::pair<unsigned, const char*> cases[] = {
        {0, "The drive type cannot be determined."},
        {1, "The root directory does not exist."},
        {2, "The drive can be removed from the drive."},
        {3, "The disk cannot be removed from the drive.  e.g. a hard-drive."},
        {4, "The drive is a remote (network) drive."},
        {5, "The drive is a CD-ROM drive."},
        {6, "The drive is a RAM disk."},
        {7, "The drive type cannot be determined."},
        {0xFFFFFFFF, "The drive type cannot be determined."},
    };
    for (const auto& [type, sentence] : cases) {
        volume_.drives['c'].drive_type = type;
        EXPECT_EQ(Drive_Type_Text(3), QString::fromLatin1(sentence)) << type;
    }
    // A letter with nothing behind it.
    EXPECT_EQ(Drive_Type_Text(26), QStringLiteral("The root directory does not exist."));
}

TEST_F(Drive_Report, Drive_Numbers_Outside_The_Alphabet)
{
    // A hand-edited settings file can select any character. The report then
    // names drive C on its first line, as it always has, but asks nothing of
    // a drive that is not there.
    const QString report = Build_Drive_Report(27);
    EXPECT_TRUE(report.startsWith(QStringLiteral("Drive                    = C\r\n\r\n"
                                                 "Disk Volume Name         = Unknown\r\n")));
    EXPECT_FALSE(report.contains(QStringLiteral("Bytes per Sector")));
    EXPECT_TRUE(report.endsWith(QStringLiteral("\r\n\r\nThe root directory does not exist.")));
    EXPECT_EQ(Drive_Type_Text(-5), QStringLiteral("The root directory does not exist."));
}

TEST_F(Drive_Report, Writability_Probe_Runs_Quietly_And_Only_For_Letters)
{
    disk_.error_mode = 0x8000;
    volume_.drives['d'].writable = true;
    unsigned mode_during_probe = 0;
    volume_.during_probe = [&] { mode_during_probe = disk_.error_mode; };

    EXPECT_TRUE(Is_Drive_Writable(QStringLiteral("D:")));
    EXPECT_EQ(mode_during_probe, SEM_FAILCRITICALERRORS);
    EXPECT_EQ(disk_.error_mode, 0x8000u);
    ASSERT_EQ(volume_.probes.size(), 1u);
    EXPECT_EQ(volume_.probes[0], "d:\\$$$TEMP_DRIVE_CHECK.tmp");

    EXPECT_FALSE(Is_Drive_Writable(QStringLiteral("q")));
    for (const char* not_a_letter : {"", "1", ":", "\xC3\xA9"})
        EXPECT_FALSE(Is_Drive_Writable(QString::fromUtf8(not_a_letter))) << not_a_letter;
    EXPECT_EQ(volume_.probes.size(), 2u); // only "q" was probed
}

} // namespace
